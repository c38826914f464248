#include "mpris_state.h"

#include <QApplication>
#include <QDBusObjectPath>
#include <QStringList>
#include <QUrl>

#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "main_window.h"
#include "runtime/fs/drive_map.h"
#include "runtime/paths.h"
#include "runtime/widgets/label.h"
#include "tags/cp1252.h"
#include "tags/mp3_tag.h"

namespace qrv {
bool RemotelyUsable(const TDDMBitBtn* button) {
  return button->Enabled() && !QApplication::activeModalWidget();
}

MprisState ReadMprisState(TForm1& form) {
  MprisState s;
  TOrbPlayer& player = *form.mp31;
  s.open = player.DeviceOpen();
  if (s.open) {
    switch (player.Mode()) {
      case TMPModes::ModePlaying:
        s.status = QStringLiteral("Playing");
        break;
      case TMPModes::ModePaused:
        s.status = QStringLiteral("Paused");
        break;
      default:
        break;
    }
    s.file = player.FileName();
    // The title label shows the title or the file name, as the window decided; once the
    // start-up restore has cleared it, the file name stands in.
    s.title = form.title1->Caption();
    if (s.title.isEmpty()) s.title = QString::fromStdString(ExtractFileName(s.file));
    s.artist = form.Artist1->Caption();
    s.album = Cp1252ToQString(form.mp3Tag1->Album());
    s.length_us = static_cast<int64_t>(player.Length()) * 1000;
  }
  const bool seek_mode = form.InSeekMode();
  s.can_play = RemotelyUsable(form.DDMBitBtn6);
  s.can_pause = RemotelyUsable(form.pause1);
  s.can_seek = seek_mode ? RemotelyUsable(form.seek1) : RemotelyUsable(form.DDMBitBtn4);
  s.can_next = RemotelyUsable(form.DDMBitBtn5);
  s.can_previous = RemotelyUsable(form.DDMBitBtn1);
  s.can_quit = !QApplication::activeModalWidget();
  return s;
}

QString MprisTrackId(uint64_t track) {
  if (track == 0) return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
  return QStringLiteral("/org/mpris/MediaPlayer2/quorvin/track/%1").arg(track);
}

QVariantMap MprisMetadata(const MprisState& state, uint64_t track) {
  QVariantMap map;
  map.insert(QStringLiteral("mpris:trackid"),
             QVariant::fromValue(QDBusObjectPath(MprisTrackId(state.open ? track : 0))));
  if (!state.open) return map;
  map.insert(QStringLiteral("mpris:length"), static_cast<qlonglong>(state.length_us));
  map.insert(QStringLiteral("xesam:title"), state.title);
  if (!state.artist.isEmpty())
    map.insert(QStringLiteral("xesam:artist"), QStringList{state.artist});
  if (!state.album.isEmpty()) map.insert(QStringLiteral("xesam:album"), state.album);
  if (const auto host = fs::ToHostPath(state.file)) {
    map.insert(QStringLiteral("xesam:url"),
               QUrl::fromLocalFile(QString::fromStdString(*host)).toString(QUrl::FullyEncoded));
  }
  return map;
}

QVariantMap ChangedPlayerProperties(const MprisState& before, const MprisState& now, uint64_t track,
                                    bool medium_changed) {
  QVariantMap changed;
  const auto put = [&changed](const char* name, auto was, auto is) {
    if (was != is) changed.insert(QString::fromLatin1(name), is);
  };
  put("PlaybackStatus", before.status, now.status);
  put("CanPlay", before.can_play, now.can_play);
  put("CanPause", before.can_pause, now.can_pause);
  put("CanSeek", before.can_seek, now.can_seek);
  put("CanGoNext", before.can_next, now.can_next);
  put("CanGoPrevious", before.can_previous, now.can_previous);
  if (medium_changed || before.title != now.title || before.artist != now.artist ||
      before.album != now.album || before.length_us != now.length_us) {
    changed.insert(QStringLiteral("Metadata"), MprisMetadata(now, track));
  }
  return changed;
}

}  // namespace qrv
