// Files handed to the player from outside, and the remote "Play" that starts the playlist: both
// end in the very steps a click in the playlist or the open-file window takes.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "handed_path.h"
#include "main_window.h"
#include "playlists/file_list_box.h"
#include "runtime/exceptions.h"
#include "runtime/fs/drive_map.h"
#include "runtime/fs/file_ops.h"
#include "runtime/guard.h"
#include "runtime/paths.h"
#include "tags/mp3_tag.h"

namespace qrv {
namespace {

// The row of a name in the list: its exact spelling first, then ignoring case.
int RowOf(TFileListBox& list, const std::string& name) {
  const int count = list.Count();
  int folded = -1;
  for (int i = 0; i < count; ++i) {
    const std::string item = list.Item(i);
    if (item == name) return i;
    if (folded < 0 && SameTextIgnoringCase(item, name)) folded = i;
  }
  return folded;
}

}  // namespace

void TForm1::LoadFile(const std::string& path) {
  PlaylistChosen();
  DisarmAdvance();
  mp31->SetFileName(path);
  mp3Tag1->ReadFromFile(path);
  mp31->Open();
  ShowTrackInfo(mp31->FileName());
  // The advance went off first, so that a file that cannot be read leaves it off; the reset
  // finds it off already.
  ResetTransportAsAtStart();
}

void TForm1::EnterChosenFolder(const std::string& folder) {
  playlist1->SelectPath(folder);
  // The list stays where it was when it cannot enter a folder, and says nothing.
  if (!SameTextIgnoringCase(playlist1->Folder(), fs::ExpandFileName(folder))) {
    throw EInOutError(EInOutError::kAccessDenied);
  }
  PlaylistChosen();
  // The restore, when it is still to come, leaves this folder and the title alone. A path that
  // could not be opened leaves the restore to bring back the last session's playlist.
  handed_ = true;
}

void TForm1::OpenHanded(const HandedPath& handed) {
  const std::string& path = handed.windows;
  if (path.empty()) throw EFOpenError(handed.shown);
  if (fs::DirectoryExists(path)) {
    EnterChosenFolder(path);
    ResetTransportAsAtStart();
    return;
  }
  if (!fs::FileExists(path)) throw EFOpenError(path);
  EnterChosenFolder(FolderOfFile(path));
  const int row = RowOf(*playlist1, ExtractFileName(path));
  if (row >= 0) {
    playlist1->SetItemIndex(row);
    playlist1Click(playlist1);
    return;
  }
  // A kind the playlist does not list (MIDI, video): as "Open file" and then "Play".
  LoadFile(path);
  DDMBitBtn6Click(DDMBitBtn6);
}

void TForm1::PlayRemotely() {
  if (mp31->DeviceOpen()) {
    DDMBitBtn6Click(DDMBitBtn6);
    return;
  }
  if (playlist1->Count() == 0) return;
  if (playlist1->ItemIndex() < 0) playlist1->SetItemIndex(0);
  playlist1Click(playlist1);
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  // Only files of this machine are taken; a link dragged from a browser is refused at once.
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.front().isLocalFile()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  // Only the first counts, as on the command line: the playlist is one folder.
  const QByteArray uri = urls.front().toEncoded();
  const HandedPath handed = HandedUri(std::string_view(uri.constData(), uri.size()));
  Guard([&] { OpenHanded(handed); });
}

}  // namespace qrv
