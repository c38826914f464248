#pragma once

#include <string>

namespace qrv {

class TForm1;

// What the playlist windows and the open-file window do to the main window's transport.

// Enables the seven transport buttons, in their fixed order.
void EnableTransportButtons(TForm1& main);

// Makes the transport look as at start-up after a new playlist was chosen: buttons enabled,
// "Seek" and "Pause" captions, and the automatic advance off until an item is chosen. The seek
// track bar keeps its visibility.
void ResetTransportForNewPlaylist(TForm1& main);

// Shows the tag just read for a file loaded into the main window: its title and artist, or the
// file's name as title when the tag has no usable title.
void ShowLoadedTitle(TForm1& main, const std::string& path);

}  // namespace qrv
