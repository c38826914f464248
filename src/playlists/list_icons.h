#pragma once

#include <QPixmap>
#include <QString>

namespace qrv {

// The small pictures of the folder tree and the drive chooser. They are drawn once, on first use,
// so the program carries no image files for them.
enum class ListIcon {
  OpenFolder,
  ClosedFolder,
  CurrentFolder,
  Floppy,
  Hard,
  Network,
  CdRom,
  Ram,
  Document,  // The file glyph of a file list that shows glyphs.
};

// The resource name of an icon ("OPENFOLDER", "HARD" ...).
QString ListIconName(ListIcon icon);

// The picture, 16 x 16 pixels with a transparent background.
QPixmap ListIconPixmap(ListIcon icon);

}  // namespace qrv
