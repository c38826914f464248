#pragma once

#include <QByteArray>
#include <QDBusConnection>

namespace qrv {

// One player per session: a second start hands its command line to the player that owns the
// bus name and ends, and that player raises its window and opens what it was handed. Gives true
// when a running player took it; false without a session bus or a player on it, or when the call
// failed, and then this start runs on its own.
bool HandToRunningPlayer(QDBusConnection bus, const QByteArray& directory,
                         const QByteArray& argument);

}  // namespace qrv
