#pragma once

#include <QtGlobal>

namespace qrv {

// Called before the application object exists. The display's time and gauge repaint a few small
// rectangles a second; through X shared memory every such repaint first waits for the server to
// finish reading the last one (a round trip and a wake-up more each time), while sent as plain
// requests they cost less. The start-up also saves setting up the shared segment. A choice the
// user made in the environment is kept.
inline void PreferPlainImageTransfer() {
  if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

}  // namespace qrv
