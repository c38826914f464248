#pragma once

namespace qrv {

// Makes the painted widgets of this folder known to screen readers with a fitting role and
// their text as the name. Safe to call any number of times; the widgets call it themselves.
void InstallWidgetAccessibility();

}  // namespace qrv
