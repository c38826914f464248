#include "mpris_service.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QEvent>
#include <QTimer>

#include "main_window.h"
#include "mpris_adaptors.h"

namespace qrv {

MprisService::MprisService(TForm1& form, QDBusConnection bus, QString desktop_entry)
    : form_(form), bus_(std::move(bus)), desktop_entry_(std::move(desktop_entry)) {
  if (!bus_.isConnected()) return;
  new MprisRootAdaptor(*this);
  new MprisPlayerAdaptor(*this);
  new HandOverAdaptor(*this);
  if (!bus_.registerObject(QString::fromLatin1(kObjectPath), this,
                           QDBusConnection::ExportAdaptors)) {
    return;
  }
  // A second instance may not take the name from the first; it goes by a name of its own.
  QString name = QString::fromLatin1(kBusName);
  if (!bus_.registerService(name)) {
    name += QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    if (!bus_.registerService(name)) {
      bus_.unregisterObject(QString::fromLatin1(kObjectPath));
      return;
    }
  }
  bus_name_ = name;
  state_ = ReadMprisState(form_);
  if (state_.open) ++track_;
  connect(&form_, &TForm1::TransportChanged, this, &MprisService::RefreshSoon);
  // A modal window takes the remote commands away as it takes the buttons from the mouse.
  form_.installEventFilter(this);
}

MprisService::~MprisService() {
  if (bus_name_.isEmpty()) return;
  bus_.unregisterService(bus_name_);
  bus_.unregisterObject(QString::fromLatin1(kObjectPath));
}

bool MprisService::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::WindowBlocked || type == QEvent::WindowUnblocked) RefreshSoon();
  return QObject::eventFilter(watched, event);
}

void MprisService::Later(std::function<void()> command) {
  QTimer::singleShot(0, this, [this, command = std::move(command)] {
    command();
    Refresh();
  });
}

void MprisService::RefreshSoon() {
  if (refresh_due_) return;
  refresh_due_ = true;
  QTimer::singleShot(0, this, [this] {
    refresh_due_ = false;
    Refresh();
  });
}

void MprisService::Refresh() {
  if (bus_name_.isEmpty()) return;
  const MprisState now = ReadMprisState(form_);
  if (now == state_) return;
  const bool medium_changed = !now.SameMedium(state_);
  if (medium_changed && now.open) ++track_;
  const MprisState before = std::exchange(state_, now);
  Announce(QStringLiteral("org.mpris.MediaPlayer2.Player"),
           ChangedPlayerProperties(before, now, Track(), medium_changed));
  if (before.can_quit != now.can_quit) {
    Announce(QStringLiteral("org.mpris.MediaPlayer2"), {{QStringLiteral("CanQuit"), now.can_quit}});
  }
}

void MprisService::Announce(const QString& interface, const QVariantMap& changed) {
  if (changed.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kObjectPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << interface << changed << QStringList();
  bus_.send(signal);
}

}  // namespace qrv
