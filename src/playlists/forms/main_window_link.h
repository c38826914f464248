#pragma once

namespace qrv {

class TForm1;

// Makes the transport look as at start-up after a new playlist was chosen: buttons enabled,
// "Seek" and "Pause" captions, and the automatic advance off until an item is chosen. The seek
// track bar keeps its visibility. The folder chosen is the one kept for the next run.
void ResetTransportForNewPlaylist(TForm1& main);

}  // namespace qrv
