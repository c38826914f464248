#pragma once

#include <QIcon>

namespace qrv {

// The audio editor's window icon: a luggage tag with a note on it, drawn at the sizes a title bar
// and a task bar ask for.
QIcon AudioEditorIcon();

}  // namespace qrv
