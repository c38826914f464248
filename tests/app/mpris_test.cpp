// The desktop's media controls against the main window: a private session bus, the scripted
// device, and every Player method and property as a bus client sees them.
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <climits>
#include <functional>

#include "app/mpris_service.h"
#include "app/single_instance.h"
#include "main_window_fixture.h"
#include "playlists/file_list_box.h"
#include "windows/about_window.h"

namespace qrv::test {
namespace {

const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// Bus values arrive wrapped; maps (the metadata) are unwrapped into plain variant maps.
QVariant Plain(const QVariant& value) {
  if (value.userType() == qMetaTypeId<QDBusVariant>())
    return Plain(value.value<QDBusVariant>().variant());
  if (value.userType() != qMetaTypeId<QDBusArgument>()) return value;
  const QDBusArgument arg = value.value<QDBusArgument>();
  if (arg.currentType() != QDBusArgument::MapType) return value;
  QVariantMap map = qdbus_cast<QVariantMap>(arg);
  for (auto it = map.begin(); it != map.end(); ++it) *it = Plain(*it);
  return map;
}

}  // namespace

// Records the PropertiesChanged signals the player sends.
class ChangeRecorder : public QObject {
  Q_OBJECT

 public:
  std::vector<QVariantMap> player_changes;

  // Waits for a change of `key` that passes `check`, as the bus delivers it.
  bool WaitFor(const QString& key, const std::function<bool(const QVariant&)>& check) {
    for (int i = 0; i < 100; ++i) {
      for (const QVariantMap& change : player_changes) {
        if (change.contains(key) && check(change.value(key))) return true;
      }
      QTest::qWait(20);
    }
    return false;
  }

 public slots:
  void Changed(const QString& interface, const QVariantMap& changed, const QStringList&) {
    if (interface != kPlayer) return;
    QVariantMap plain;
    for (auto it = changed.begin(); it != changed.end(); ++it) plain.insert(it.key(), Plain(*it));
    player_changes.push_back(plain);
  }
};

namespace {

std::function<bool(const QVariant&)> StatusIs(const char* status) {
  return [status](const QVariant& v) { return v.toString() == QString::fromLatin1(status); };
}

// A session bus of the test's own, so that nothing reaches the desktop the tests run on.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
    if (!daemon_.waitForStarted(5000)) return;
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }
  ~PrivateBus() {
    daemon_.terminate();
    if (!daemon_.waitForFinished(3000)) daemon_.kill();
    daemon_.waitForFinished(3000);
  }
  const QString& Address() const { return address_; }

  QDBusConnection Connect(const QString& name) {
    return QDBusConnection::connectToBus(address_, name);
  }

 private:
  QProcess daemon_;
  QString address_;
};

class Mpris : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    bus_ = std::make_unique<PrivateBus>();
    ASSERT_FALSE(bus_->Address().isEmpty()) << "dbus-daemon did not start";
  }
  void TearDown() override {
    service_.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("player"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    bus_.reset();
    MainWindowTest::TearDown();
  }

  void StartService() {
    StartProgram();
    service_ = std::make_unique<MprisService>(Main(), bus_->Connect(QStringLiteral("player")),
                                              QStringLiteral("org.quorvin.QuorvinPro"));
    ASSERT_EQ(service_->BusName(), QString::fromLatin1(MprisService::kBusName));
  }

  QDBusConnection Client() { return bus_->Connect(QStringLiteral("client")); }

  // Hands the player's PropertiesChanged signals to the recorder.
  bool Record(ChangeRecorder& recorder) {
    return Client().connect(service_->BusName(), kPath,
                            QStringLiteral("org.freedesktop.DBus.Properties"),
                            QStringLiteral("PropertiesChanged"), &recorder,
                            SLOT(Changed(QString, QVariantMap, QStringList)));
  }

  // Calls a method as a remote client does, then lets the command run as the event loop would.
  QDBusMessage Call(const QString& interface, const QString& method,
                    const QVariantList& args = {}) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(service_->BusName(), kPath, interface, method);
    call.setArguments(args);
    const QDBusMessage reply = Client().call(call, QDBus::BlockWithGui, 5000);
    QTest::qWait(20);
    return reply;
  }
  QDBusMessage Player(const QString& method, const QVariantList& args = {}) {
    return Call(kPlayer, method, args);
  }

  QVariant Get(const QString& interface, const char* name) {
    const QDBusMessage reply = Call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"), {interface, QString::fromLatin1(name)});
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    return Plain(reply.arguments().value(0));
  }
  QString Status() { return Get(kPlayer, "PlaybackStatus").toString(); }
  QVariantMap Metadata() { return Get(kPlayer, "Metadata").toMap(); }
  QString Title() { return Metadata().value(QStringLiteral("xesam:title")).toString(); }
  QString TrackId() {
    return Metadata().value(QStringLiteral("mpris:trackid")).value<QDBusObjectPath>().path();
  }

  std::unique_ptr<PrivateBus> bus_;
  std::unique_ptr<MprisService> service_;
};

TEST_F(Mpris, RootInterfaceNamesThePlayerAndASecondInstanceTakesANameOfItsOwn) {
  StartService();
  EXPECT_EQ(Get(kRoot, "Identity").toString(), QStringLiteral("Quorvin Pro"));
  EXPECT_EQ(Get(kRoot, "DesktopEntry").toString(), QStringLiteral("org.quorvin.QuorvinPro"));
  EXPECT_TRUE(Get(kRoot, "CanQuit").toBool());
  EXPECT_TRUE(Get(kRoot, "CanRaise").toBool());
  EXPECT_FALSE(Get(kRoot, "HasTrackList").toBool());

  MprisService second(Main(), bus_->Connect(QStringLiteral("second")), QString());
  EXPECT_EQ(second.BusName(), QStringLiteral("org.mpris.MediaPlayer2.quorvin.instance%1")
                                  .arg(QCoreApplication::applicationPid()));
  QDBusConnection::disconnectFromBus(QStringLiteral("second"));

  // Without a bus the player simply goes without.
  MprisService none(Main(),
                    QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                  QStringLiteral("none")),
                    QString());
  EXPECT_TRUE(none.BusName().isEmpty());
  QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

TEST_F(Mpris, EveryMethodWithNothingOpenShowsWhatItsButtonShows) {
  StartService();
  TForm1& f = Main();
  // Each method against the click it stands for, in the same order; nothing is open.
  f.pause1->Click();
  f.pause1->Click();
  f.DDMBitBtn4->Click();
  const std::vector<std::string> by_buttons = TakeMessages();
  ASSERT_EQ(by_buttons.size(), 3u);

  for (const char* method : {"Pause", "Stop"}) {
    EXPECT_EQ(Player(QString::fromLatin1(method)).type(), QDBusMessage::ReplyMessage) << method;
  }
  Player(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{2100000})});
  // A track id while nothing is open names no track: the call is ignored.
  Player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(QStringLiteral(
                                             "/org/mpris/MediaPlayer2/TrackList/NoTrack"))),
                                         QVariant::fromValue(qlonglong{0})});
  EXPECT_EQ(TakeMessages(), by_buttons);
  EXPECT_EQ(Status(), QStringLiteral("Stopped"));
  EXPECT_EQ(Get(kPlayer, "Position").toLongLong(), 0);
  EXPECT_EQ(TrackId(), QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));

  // Like ">|", Next with nothing open goes on to the first item instead of failing.
  EXPECT_EQ(Player(QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(Status(), QStringLiteral("Playing"));
}

TEST_F(Mpris, PlayAndPlayPauseWithNothingOpenStartTheSelectedOrFirstItem) {
  StartService();
  for (const char* method : {"Play", "PlayPause"}) {
    Main().mp31->Close();
    Main().playlist1->SetItemIndex(-1);
    EXPECT_EQ(Player(QString::fromLatin1(method)).type(), QDBusMessage::ReplyMessage) << method;
    EXPECT_EQ(Status(), QStringLiteral("Playing")) << method;
    EXPECT_EQ(Title(), QStringLiteral("First Song")) << method;
    EXPECT_TRUE(Main().Timer2->Enabled()) << method;
  }
  Main().mp31->Close();
  Main().playlist1->SetItemIndex(1);
  Player(QStringLiteral("Play"));
  EXPECT_EQ(Title(), QStringLiteral("Second Song"));

  // An empty playlist: a media key does nothing and raises no message box.
  Prefix().MakeDir("empty");
  Main().mp31->Close();
  Main().playlist1->SelectPath("c:\\empty");
  Player(QStringLiteral("Play"));
  Player(QStringLiteral("PlayPause"));
  EXPECT_EQ(Status(), QStringLiteral("Stopped"));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Mpris, OpenUriPlaysALocalFileAndRefusesOtherSchemes) {
  StartService();
  EXPECT_EQ(Get(kRoot, "SupportedUriSchemes").toStringList(), QStringList{"file"});
  EXPECT_TRUE(Get(kRoot, "SupportedMimeTypes").toStringList().contains("audio/mpeg"));

  const QDBusMessage refused =
      Player(QStringLiteral("OpenUri"), {QStringLiteral("http://example.org/a.mp3")});
  EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
  EXPECT_EQ(refused.errorName(), QStringLiteral("org.freedesktop.DBus.Error.NotSupported"));
  EXPECT_EQ(Status(), QStringLiteral("Stopped"));
  EXPECT_TRUE(TakeMessages().empty());

  const QString uri =
      QUrl::fromLocalFile(QString::fromStdString(Prefix().DriveC() + "/music/02 Two.mp3"))
          .toString(QUrl::FullyEncoded);
  EXPECT_EQ(Player(QStringLiteral("OpenUri"), {uri}).type(), QDBusMessage::ReplyMessage);
  EXPECT_EQ(Status(), QStringLiteral("Playing"));
  EXPECT_EQ(Title(), QStringLiteral("Second Song"));
  EXPECT_EQ(Main().playlist1->ItemIndex(), 1);

  Player(QStringLiteral("OpenUri"), {QStringLiteral("file:///nonexistent/x.mp3")});
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"Cannot open file z:\\nonexistent\\x.mp3."});
}

TEST_F(Mpris, ASecondStartHandsItsFileToTheRunningPlayer) {
  StartService();
  Main().hide();
  const QByteArray folder = QByteArray::fromStdString(Prefix().DriveC() + "/music");
  EXPECT_TRUE(HandToRunningPlayer(Client(), folder, "03 Three.mp3"));
  QTest::qWait(20);
  EXPECT_TRUE(Main().isVisible());
  EXPECT_EQ(Status(), QStringLiteral("Playing"));
  EXPECT_EQ(Title(), QStringLiteral("Third Song"));
  // With nothing to hand over, the running player only comes forward.
  EXPECT_TRUE(HandToRunningPlayer(Client(), folder, QByteArray()));
  EXPECT_EQ(Title(), QStringLiteral("Third Song"));

  // Without a player on the bus, or without a bus, the start goes its own way.
  service_.reset();
  EXPECT_FALSE(HandToRunningPlayer(Client(), folder, "03 Three.mp3"));
  EXPECT_FALSE(
      HandToRunningPlayer(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                                        QStringLiteral("none")),
                          folder, QByteArray()));
  QDBusConnection::disconnectFromBus(QStringLiteral("none"));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Mpris, PlayerMethodsDriveTheTransportAndPropertiesFollowIt) {
  StartService();
  Device().length = 180000;
  Choose(0);
  EXPECT_EQ(Status(), QStringLiteral("Playing"));
  const QVariantMap meta = Metadata();
  EXPECT_EQ(meta.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("First Song"));
  EXPECT_EQ(meta.value(QStringLiteral("xesam:artist")).toStringList(), QStringList{"Band One"});
  EXPECT_EQ(meta.value(QStringLiteral("mpris:length")).toLongLong(), 180000000);
  EXPECT_TRUE(meta.value(QStringLiteral("xesam:url")).toString().endsWith("/music/01%20One.mp3"))
      << meta.value(QStringLiteral("xesam:url")).toString().toStdString();
  const QString first_track = TrackId();
  for (const char* name :
       {"CanPlay", "CanPause", "CanSeek", "CanGoNext", "CanGoPrevious", "CanControl"}) {
    EXPECT_TRUE(Get(kPlayer, name).toBool()) << name;
  }

  Player(QStringLiteral("Pause"));
  EXPECT_EQ(Status(), QStringLiteral("Paused"));
  EXPECT_EQ(Main().pause1->Caption(), QStringLiteral("Resume"));
  EXPECT_FALSE(Main().Timer2->Enabled());
  Player(QStringLiteral("Pause"));  // Paused already: stays paused.
  EXPECT_EQ(Status(), QStringLiteral("Paused"));
  Player(QStringLiteral("PlayPause"));
  EXPECT_EQ(Status(), QStringLiteral("Playing"));
  EXPECT_TRUE(Main().Timer2->Enabled());
  Player(QStringLiteral("Stop"));
  EXPECT_EQ(Status(), QStringLiteral("Paused"));
  Player(QStringLiteral("Play"));
  EXPECT_EQ(Status(), QStringLiteral("Playing"));

  Player(QStringLiteral("Next"));
  EXPECT_EQ(Title(), QStringLiteral("Second Song"));
  EXPECT_NE(TrackId(), first_track);
  Player(QStringLiteral("Previous"));
  EXPECT_EQ(Title(), QStringLiteral("First Song"));

  // Seeking goes through the skip step: the advance is armed and the device plays from there.
  Device().position = 5000;
  Player(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{3000000})});
  EXPECT_EQ(Device().position, 8000u);
  EXPECT_EQ(Get(kPlayer, "Position").toLongLong(), 8000000);
  EXPECT_TRUE(DevicePlaying());
  Player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(TrackId())),
                                         QVariant::fromValue(qlonglong{60000000})});
  EXPECT_EQ(Device().position, 60000u);
  // A stale track id and a place past the end are ignored.
  Player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(first_track + "0")),
                                         QVariant::fromValue(qlonglong{0})});
  Player(QStringLiteral("SetPosition"), {QVariant::fromValue(QDBusObjectPath(TrackId())),
                                         QVariant::fromValue(qlonglong{999000000})});
  EXPECT_EQ(Device().position, 60000u);
  // Offsets far outside the medium, and outside any 32-bit count, leave the device where it was.
  for (qlonglong offset : {LLONG_MAX, LLONG_MIN, qlonglong{-3000000000000}, qlonglong{900000000}}) {
    Player(QStringLiteral("Seek"), {QVariant::fromValue(offset)});
    EXPECT_EQ(Device().position, 60000u) << offset;
  }
  EXPECT_TRUE(TakeMessages().empty());

  // In seek mode the other buttons are disabled, so are their methods; Seek moves the thumb.
  Main().seek1->Click();
  EXPECT_FALSE(Get(kPlayer, "CanGoNext").toBool());
  EXPECT_FALSE(Get(kPlayer, "CanPlay").toBool());
  const QString title = Title();
  Player(QStringLiteral("Next"));
  EXPECT_EQ(Title(), title);
  Player(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong{-10000000})});
  EXPECT_EQ(Main().TrackBar1->Position(), 50000);
  EXPECT_EQ(Device().position, 50000u);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Mpris, ChangesAreAnnouncedOnPlayPauseAndAdvance) {
  StartService();
  ChangeRecorder recorder;
  ASSERT_TRUE(Record(recorder));
  const auto wait_for = [&](const QString& key, const auto& check) {
    return recorder.WaitFor(key, check);
  };
  const auto title_is = [](const char* title) {
    return [title](const QVariant& v) {
      return v.toMap().value(QStringLiteral("xesam:title")).toString() ==
             QString::fromLatin1(title);
    };
  };

  Choose(0);
  EXPECT_TRUE(wait_for(QStringLiteral("PlaybackStatus"), StatusIs("Playing")));
  EXPECT_TRUE(wait_for(QStringLiteral("Metadata"), title_is("First Song")));
  recorder.player_changes.clear();
  Main().pause1->Click();
  EXPECT_TRUE(wait_for(QStringLiteral("PlaybackStatus"), StatusIs("Paused")));
  Main().pause1->Click();
  EXPECT_TRUE(wait_for(QStringLiteral("PlaybackStatus"), StatusIs("Playing")));

  // The medium ends and the advance starts the next item.
  recorder.player_changes.clear();
  Driver().FinishPlayback();
  Main().Timer2Timer(Main().Timer2);
  EXPECT_TRUE(wait_for(QStringLiteral("Metadata"), title_is("Second Song")));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Mpris, TransportChangesAreAnnouncedWithoutWaitingForTheDisplay) {
  StartService();
  ChangeRecorder recorder;
  ASSERT_TRUE(Record(recorder));
  // The display timer no longer looks at the player: only the transport's own signal is left.
  Main().Timer1->SetEnabled(false);
  Choose(0);
  EXPECT_TRUE(recorder.WaitFor(QStringLiteral("PlaybackStatus"), StatusIs("Playing")));
  Main().pause1->Click();
  EXPECT_TRUE(recorder.WaitFor(QStringLiteral("PlaybackStatus"), StatusIs("Paused")));
  Main().seek1->Click();
  EXPECT_TRUE(
      recorder.WaitFor(QStringLiteral("CanGoNext"), [](const QVariant& v) { return !v.toBool(); }));
}

TEST_F(Mpris, TheDeviceStoppingByItselfIsAnnouncedWithoutAnyTimer) {
  StartService();
  ChangeRecorder recorder;
  ASSERT_TRUE(Record(recorder));
  Choose(0);
  ASSERT_TRUE(recorder.WaitFor(QStringLiteral("PlaybackStatus"), StatusIs("Playing")));
  // Neither the display nor the advance looks at the player; only the device's own
  // notification is left to tell of the end.
  Main().Timer1->SetEnabled(false);
  Main().Timer2->SetEnabled(false);
  recorder.player_changes.clear();
  Driver().Advance(Device().length);
  EXPECT_TRUE(recorder.WaitFor(QStringLiteral("PlaybackStatus"), StatusIs("Stopped")));
  EXPECT_EQ(Main().pause1->Caption(), QStringLiteral("Pause"));
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Mpris, AModalWindowWithdrawsTheCommandsUntilItCloses) {
  StartService();
  ChangeRecorder recorder;
  ASSERT_TRUE(Record(recorder));
  Main().Timer1->SetEnabled(false);
  const auto can_play_is = [](bool expected) {
    return [expected](const QVariant& v) { return v.toBool() == expected; };
  };
  bool withdrawn = false;
  QTimer::singleShot(0, &Main(), [&] {
    withdrawn = recorder.WaitFor(QStringLiteral("CanPlay"), can_play_is(false));
    recorder.player_changes.clear();
    Form7->Close();
  });
  Form7->ShowModal();
  EXPECT_TRUE(withdrawn);
  EXPECT_TRUE(recorder.WaitFor(QStringLiteral("CanPlay"), can_play_is(true)));
}

TEST_F(Mpris, QuitClosesTheMainWindowWhichWritesTheLastPlaylist) {
  StartService();
  QSignalSpy closed(&Main(), &TForm1::Closed);
  // With a modal window open the main window cannot be closed by hand; Quit leaves it open and
  // brings the modal window forward.
  bool can_quit_while_modal = true;
  QTimer::singleShot(0, &Main(), [&] {
    can_quit_while_modal = Get(kRoot, "CanQuit").toBool();
    Call(kRoot, QStringLiteral("Quit"));
    EXPECT_TRUE(Main().isVisible());
    EXPECT_TRUE(Form7->isVisible());
    Form7->Close();
  });
  Form7->ShowModal();
  EXPECT_FALSE(can_quit_while_modal);
  EXPECT_EQ(closed.count(), 0);

  Call(kRoot, QStringLiteral("Quit"));
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(Main().isVisible());
  EXPECT_TRUE(Prefix().Exists("qrv30/last.lst"));
}

}  // namespace
}  // namespace qrv::test

#include "mpris_test.moc"
