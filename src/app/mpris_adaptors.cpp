#include "mpris_adaptors.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <algorithm>

#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "handed_path.h"
#include "main_window.h"
#include "mpris_service.h"
#include "runtime/guard.h"
#include "runtime/widgets/track_bar.h"

namespace qrv {
namespace {

// The click itself, through the button, so that its handler runs as for the mouse.
void Press(TDDMBitBtn* button) {
  if (RemotelyUsable(button)) button->Click();
}

// Positions handed in from outside are microseconds of any size. The longest step taken is
// about twelve days, which keeps every sum with a medium's position inside 32 bits; the device
// refuses a target outside the medium as it does for "<<" and ">>".
constexpr int64_t kLongestStep = int64_t{1} << 30;

int StepMs(int64_t microseconds) {
  return static_cast<int>(std::clamp<int64_t>(microseconds / 1000, -kLongestStep, kLongestStep));
}

// In seek mode the track bar is the way to move: setting its thumb seeks as dragging it does.
void MoveThumb(TForm1& form, int64_t target_ms) {
  TTrackBar& bar = *form.TrackBar1;
  bar.SetPosition(static_cast<int>(std::clamp<int64_t>(target_ms, 0, bar.Max())));
}

// Brings the main window forward, or the modal window above it that the user has to answer first.
void RaiseMainWindow(TForm1& form) {
  if (form.isMinimized()) form.showNormal();
  if (QWidget* modal = QApplication::activeModalWidget()) {
    modal->raise();
    modal->activateWindow();
  } else {
    form.Show();
  }
}

// A handed path, opened from the event loop; a failure is shown as a click's would be.
void OpenLater(MprisService& service, HandedPath handed) {
  service.Later([&service, handed = std::move(handed)] {
    Guard([&] { service.Form().OpenHanded(handed); });
  });
}

}  // namespace

QStringList HandedMimeTypes() {
  return {QStringLiteral("audio/mpeg"),     QStringLiteral("audio/x-mpeg"),
          QStringLiteral("audio/mp2"),      QStringLiteral("audio/x-mp2"),
          QStringLiteral("audio/mp3"),      QStringLiteral("audio/x-mp3"),
          QStringLiteral("audio/wav"),      QStringLiteral("audio/x-wav"),
          QStringLiteral("audio/vnd.wave"), QStringLiteral("audio/midi"),
          QStringLiteral("audio/x-midi"),   QStringLiteral("video/x-msvideo"),
          QStringLiteral("video/avi"),      QStringLiteral("video/mpeg")};
}

MprisRootAdaptor::MprisRootAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

bool MprisRootAdaptor::CanQuit() const {
  return !QApplication::activeModalWidget();
}

QString MprisRootAdaptor::Identity() const {
  return QStringLiteral("Quorvin Pro");
}

QString MprisRootAdaptor::DesktopEntry() const {
  return service_.DesktopEntry();
}

QStringList MprisRootAdaptor::SupportedMimeTypes() const {
  return HandedMimeTypes();
}

void MprisRootAdaptor::Raise() {
  service_.Later([this] { RaiseMainWindow(service_.Form()); });
}

void MprisRootAdaptor::Quit() {
  service_.Later([this] {
    // While a modal window is open the main window cannot be closed by hand either; the modal
    // window comes forward instead, and nothing the user is typing there is lost.
    if (QWidget* modal = QApplication::activeModalWidget()) {
      modal->raise();
      modal->activateWindow();
      return;
    }
    service_.Form().Close();
  });
}

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

QString MprisPlayerAdaptor::PlaybackStatus() const {
  return service_.Current().status;
}

QVariantMap MprisPlayerAdaptor::Metadata() const {
  const MprisState& state = service_.Current();
  return MprisMetadata(state, service_.Track());
}

qlonglong MprisPlayerAdaptor::Position() const {
  TOrbPlayer& player = *service_.Form().mp31;
  if (!player.DeviceOpen()) return 0;
  return std::max<qlonglong>(0, player.Position()) * 1000;
}

bool MprisPlayerAdaptor::CanGoNext() const {
  return service_.Current().can_next;
}
bool MprisPlayerAdaptor::CanGoPrevious() const {
  return service_.Current().can_previous;
}
bool MprisPlayerAdaptor::CanPlay() const {
  return service_.Current().can_play;
}
bool MprisPlayerAdaptor::CanPause() const {
  return service_.Current().can_pause;
}
bool MprisPlayerAdaptor::CanSeek() const {
  return service_.Current().can_seek;
}

void MprisPlayerAdaptor::Next() {
  service_.Later([this] { Press(service_.Form().DDMBitBtn5); });
}

void MprisPlayerAdaptor::Previous() {
  service_.Later([this] { Press(service_.Form().DDMBitBtn1); });
}

void MprisPlayerAdaptor::PlayPause() {
  service_.Later([this] {
    TForm1& form = service_.Form();
    // With nothing open there is nothing to pause: the key starts the playlist instead.
    if (!form.mp31->DeviceOpen()) {
      if (RemotelyUsable(form.DDMBitBtn6)) Guard([&] { form.PlayRemotely(); });
      return;
    }
    Press(form.pause1);
  });
}

void MprisPlayerAdaptor::Pause() {
  // The pause button resumes once paused; a pause that is already in place stays.
  service_.Later([this] {
    if (!service_.Form().Paused()) Press(service_.Form().pause1);
  });
}

void MprisPlayerAdaptor::Stop() {
  // The transport has no stop of its own; pausing is the nearest, and keeps the item where it is.
  Pause();
}

void MprisPlayerAdaptor::Play() {
  service_.Later([this] {
    TForm1& form = service_.Form();
    if (RemotelyUsable(form.DDMBitBtn6)) Guard([&] { form.PlayRemotely(); });
  });
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri, const QDBusMessage& message) {
  const QByteArray bytes = Uri.toUtf8();
  HandedPath handed = HandedUri(std::string_view(bytes.constData(), bytes.size()));
  if (handed.foreign_scheme) {
    message.setDelayedReply(true);
    service_.Bus().send(message.createErrorReply(
        QDBusError::NotSupported, QStringLiteral("Only file:// URIs can be opened: %1").arg(Uri)));
    return;
  }
  OpenLater(service_, std::move(handed));
}

HandOverAdaptor::HandOverAdaptor(MprisService& service)
    : QDBusAbstractAdaptor(&service), service_(service) {}

void HandOverAdaptor::HandOver(const QByteArray& directory, const QByteArray& argument) {
  service_.Later([this] { RaiseMainWindow(service_.Form()); });
  if (argument.isEmpty()) return;
  OpenLater(service_, HandedArgument(std::string_view(argument.constData(), argument.size()),
                                     std::string_view(directory.constData(), directory.size())));
}

void MprisPlayerAdaptor::Seek(qlonglong Offset) {
  service_.Later([this, Offset] {
    TForm1& form = service_.Form();
    if (QApplication::activeModalWidget()) return;
    if (form.InSeekMode()) {
      MoveThumb(form, int64_t{form.TrackBar1->Position()} + StepMs(Offset));
    } else if (form.DDMBitBtn4->Enabled()) {
      // The step buttons' own handler, with the step asked for.
      if (!Guard([&] { form.SkipBy(StepMs(Offset)); })) return;
    } else {
      return;
    }
    emit Seeked(Position());
  });
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
  service_.Later([this, track = TrackId.path(), Position] {
    const MprisState& state = service_.Current();
    // A stale track id, or a place outside the medium, is ignored as the interface asks.
    if (!state.open || track != MprisTrackId(service_.Track())) return;
    if (Position < 0 || Position > state.length_us) return;
    TForm1& form = service_.Form();
    if (QApplication::activeModalWidget()) return;
    if (form.InSeekMode()) {
      MoveThumb(form, Position / 1000);
    } else if (form.DDMBitBtn4->Enabled()) {
      const bool done =
          Guard([&] { form.SkipBy(StepMs(Position - int64_t{form.mp31->Position()} * 1000)); });
      if (!done) return;
    } else {
      return;
    }
    emit Seeked(this->Position());
  });
}

}  // namespace qrv
