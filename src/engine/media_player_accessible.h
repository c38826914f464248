#pragma once

namespace qrv {

// Makes the media player's bar known to assistive technology: the control as a tool bar whose
// children are its visible buttons, each with a press action that clicks it.
void InstallMediaPlayerAccessibility();

}  // namespace qrv
