#pragma once

#include <QString>
#include <QVariantMap>
#include <cstdint>
#include <string>

namespace qrv {

class TDDMBitBtn;
class TForm1;

// A remote command is refused wherever a click would be: on a disabled button, and while a
// modal window keeps the main window from being used.
bool RemotelyUsable(const TDDMBitBtn* button);

// What the desktop's media controls see of the main window's transport at one moment. The
// service compares one with the last and announces what changed.
struct MprisState {
  QString status = QStringLiteral("Stopped");  // "Playing", "Paused" or "Stopped".
  bool open = false;
  std::string file;  // The player's file while a medium is open.
  QString title;
  QString artist;
  QString album;
  int64_t length_us = 0;
  bool can_play = false;
  bool can_pause = false;
  bool can_seek = false;
  bool can_next = false;
  bool can_previous = false;
  bool can_quit = false;

  bool operator==(const MprisState&) const = default;
  // Whether the same medium is open in both.
  bool SameMedium(const MprisState& other) const {
    return open == other.open && file == other.file;
  }
};

// Reads the state from the window's controls and its player. Never throws.
MprisState ReadMprisState(TForm1& form);

// The track id of the medium numbered `track` (0: nothing open), an object path.
QString MprisTrackId(uint64_t track);

// The metadata map of the open medium (title, artist, album, length, url, track id).
QVariantMap MprisMetadata(const MprisState& state, uint64_t track);

// The Player properties that differ between two states, by their bus names.
QVariantMap ChangedPlayerProperties(const MprisState& before, const MprisState& now, uint64_t track,
                                    bool medium_changed);

}  // namespace qrv
