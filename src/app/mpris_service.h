#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "mpris_state.h"

namespace qrv {

class TForm1;

// Offers the main window's transport to the desktop's media controls and media keys (MPRIS 2).
// Each remote command is the click on the matching transport button, so the transport's rules
// and its error boxes hold as they do for the mouse. A change is announced as soon as the
// handler that made it is done: the window's TransportChanged covers the transitions and what
// the device does by itself (a medium reaching its end, a failure), and a modal window opening
// or closing over the main window changes which commands are offered. Nothing polls; the
// position is read when a client asks for it. Without a bus it stays silent and does nothing.
class MprisService : public QObject {
  Q_OBJECT

 public:
  static constexpr const char* kBusName = "org.mpris.MediaPlayer2.quorvin";
  static constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";

  MprisService(TForm1& form, QDBusConnection bus, QString desktop_entry);
  ~MprisService() override;

  // The name owned on the bus: kBusName, or a name of its own for a second instance; empty when
  // the bus could not be used.
  const QString& BusName() const { return bus_name_; }
  const QString& DesktopEntry() const { return desktop_entry_; }
  TForm1& Form() const { return form_; }
  QDBusConnection& Bus() { return bus_; }

  // Numbers the media opened so far, for track ids; 0 while nothing is open.
  uint64_t Track() const { return state_.open ? track_ : 0; }

  // Runs a remote command once the bus call has been answered: a handler may show a modal
  // error box, and the caller must not be kept waiting until the user closes it.
  void Later(std::function<void()> command);

  // Compares the window with what was announced last and announces the difference.
  void Refresh();
  // The state as the window stands now, any difference announced first.
  const MprisState& Current() {
    Refresh();
    return state_;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Announce(const QString& interface, const QVariantMap& changed);
  // Refreshes once the running handler is done, when the player has been commanded as well; any
  // number of transitions within one handler make one refresh.
  void RefreshSoon();

  TForm1& form_;
  QDBusConnection bus_;
  QString desktop_entry_;
  QString bus_name_;
  MprisState state_;
  uint64_t track_ = 0;
  bool refresh_due_ = false;
};

}  // namespace qrv
