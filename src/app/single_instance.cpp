#include "single_instance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

#include "mpris_adaptors.h"
#include "mpris_service.h"

namespace qrv {
namespace {

// The running player answers at once and does the work afterwards; a player that does not
// answer within this time is taken as hung, and this start goes its own way.
constexpr int kAnswerTimeoutMs = 10000;

}  // namespace

bool HandToRunningPlayer(QDBusConnection bus, const QByteArray& directory,
                         const QByteArray& argument) {
  if (!bus.isConnected()) return false;
  const QString name = QString::fromLatin1(MprisService::kBusName);
  QDBusConnectionInterface* daemon = bus.interface();
  if (!daemon || !daemon->isServiceRegistered(name).value()) return false;
  QDBusMessage call = QDBusMessage::createMethodCall(
      name, QString::fromLatin1(MprisService::kObjectPath),
      QString::fromLatin1(HandOverAdaptor::kInterface), QStringLiteral("HandOver"));
  call << directory << argument;
  const QDBusMessage reply = bus.call(call, QDBus::BlockWithGui, kAnswerTimeoutMs);
  return reply.type() == QDBusMessage::ReplyMessage;
}

}  // namespace qrv
