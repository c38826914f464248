#pragma once

namespace qrv {

class TImage;

// The picture control that shows the main window's background: the CD window copies it when it
// is shown and the background chooser loads bitmaps into it. It is the main window's `back1`;
// nullptr while no main window exists.
TImage* MainBackground();

// Points the windows at another picture control, so that they can be exercised without the whole
// main window; nullptr returns them to the main window's.
void SetMainBackground(TImage* image);

}  // namespace qrv
