// Files and folders handed to the player from outside (command line, drop, session bus), the
// remote "Play" with nothing open, and which folder "last.lst" keeps after them.
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "app/command_line.h"
#include "app/handed_path.h"
#include "main_window_fixture.h"
#include "playlists/forms/first_run_window.h"
#include "playlists/forms/new_playlist_window.h"
#include "playlists/forms/open_file_window.h"
#include "runtime/fs/drive_map.h"
#include "runtime/guard.h"

namespace qrv::test {
namespace {

using Handed = MainWindowTest;

HandedPath Argument(const std::string& text, const std::string& cwd = "/") {
  return HandedArgument(text, cwd);
}

TEST_F(Handed, ArgumentsAndUrisNameWindowsPathsThroughTheDriveTable) {
  const std::string c = Prefix().DriveC();
  struct Case {
    std::string given;
    std::string cwd;
    std::string windows;
  };
  const Case cases[] = {
      {c + "/music/01 One.mp3", "/", "c:\\music\\01 One.mp3"},
      {"music/01 One.mp3", c, "c:\\music\\01 One.mp3"},
      {"./x/../music", c, "c:\\music"},
      {"/usr/share/a b.mp3", "/", "z:\\usr\\share\\a b.mp3"},
      {"Z:\\usr\\a.mp3", "/", "z:\\usr\\a.mp3"},
      {"c:/music/", "/", "c:\\music"},
      {"file://" + c + "/music/01%20One.mp3", "/", "c:\\music\\01 One.mp3"},
      {"FILE://localhost/usr/a.mp3", "/", "z:\\usr\\a.mp3"},
      {"file:///usr/a.mp3?x#y", "/", "z:\\usr\\a.mp3"},
      // Names a Windows path cannot spell have no Windows path at all.
      {"/tmp/bad\xff.mp3", "/", ""},
      {"file:///tmp/bad%FF.mp3", "/", ""},
      {"file:///tmp/a%5Cb.mp3", "/", ""},
      {"file://otherhost/a.mp3", "/", ""},
  };
  for (const Case& k : cases) {
    const HandedPath handed = Argument(k.given, k.cwd);
    EXPECT_EQ(handed.windows, k.windows) << k.given;
    EXPECT_FALSE(handed.foreign_scheme) << k.given;
    EXPECT_FALSE(handed.shown.empty()) << k.given;
  }
  for (const char* uri : {"http://example.org/a.mp3", "smb://host/share/a.mp3"}) {
    const HandedPath handed = HandedUri(uri);
    EXPECT_TRUE(handed.foreign_scheme) << uri;
    EXPECT_TRUE(handed.windows.empty()) << uri;
  }
  EXPECT_TRUE(Argument("http://example.org/a.mp3").foreign_scheme);
}

TEST(CommandLine, OptionsEndTheProgramAndTheFirstFileCounts) {
  const char* files[] = {"quorvin", "a.mp3", "b.mp3"};
  const CommandLine read = ReadCommandLine(3, files);
  EXPECT_FALSE(read.exit_code);
  EXPECT_EQ(read.argument, QByteArray("a.mp3"));

  // A thousand files: the first is the one.
  std::vector<std::string> names(1000);
  std::vector<const char*> many{"quorvin"};
  for (size_t i = 0; i < names.size(); ++i) {
    names[i] = "song " + std::to_string(i) + ".mp3";
    many.push_back(names[i].c_str());
  }
  EXPECT_EQ(ReadCommandLine(static_cast<int>(many.size()), many.data()).argument,
            QByteArray("song 0.mp3"));

  const char* dashed[] = {"quorvin", "--", "-x.mp3"};
  EXPECT_EQ(ReadCommandLine(3, dashed).argument, QByteArray("-x.mp3"));
  const char* unknown[] = {"quorvin", "--frobnicate"};
  EXPECT_EQ(ReadCommandLine(2, unknown).exit_code, 2);

  const char* help[] = {"quorvin", "a.mp3", "--help"};
  EXPECT_EQ(AnswerInfoOptions(3, help), 0);
  const char* version[] = {"quorvin", "--version"};
  EXPECT_EQ(AnswerInfoOptions(2, version), 0);
  const char* after_dashes[] = {"quorvin", "--", "--help"};
  EXPECT_FALSE(AnswerInfoOptions(3, after_dashes));
}

TEST_F(Handed, AFileInThePlaylistPlaysAsAClickOnItAndTheRestoreLeavesIt) {
  Prefix().MakeDir("other");
  Prefix().WriteFile("qrv30/last.lst", "c:\\other\r\n");
  ASSERT_TRUE(fs::SetCurrentDir("c:\\"));
  StartProgram();
  Main().playlist1->SelectPath("c:\\");
  Guard([&] { Main().OpenHanded(Argument(Prefix().DriveC() + "/music/02 Two.mp3")); });
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  EXPECT_EQ(Main().playlist1->ItemIndex(), 1);
  EXPECT_TRUE(DevicePlaying());
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("Second Song"));
  EXPECT_EQ(View(), (TransportView{"Pause", "Seek", false, true, true, true}));

  // The restore keeps the handed folder and the title, and shows no prompt.
  Main().Timer3Timer(Main().Timer3);
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("Second Song"));
  EXPECT_TRUE(TakeMessages().empty());
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\music\r\n");
}

TEST_F(Handed, AKindThePlaylistDoesNotListIsLoadedAsOpenFileDoesAndPlayed) {
  Prefix().WriteFile("music/tune.mid", std::string(400, 'M'));
  StartProgram();
  Main().OpenHanded(Argument("c:\\music\\tune.mid"));
  EXPECT_EQ(Main().mp31->FileName(), "c:\\music\\tune.mid");
  EXPECT_TRUE(DevicePlaying());
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("tune.mid"));
  // As after "Open file": the advance stays off, the list's selection untouched.
  EXPECT_FALSE(Main().Timer2->Enabled());
  EXPECT_EQ(Main().playlist1->Count(), 3);
  EXPECT_TRUE(TakeMessages().empty());
  // A first run (no last.lst) handed a file shows no prompt; the title stays.
  Main().Timer3Timer(Main().Timer3);
  EXPECT_FALSE(Form5->isVisible());
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("tune.mid"));
}

TEST_F(Handed, AHostPathBelowALinkedDriveIsReadThroughThatDrive) {
  Prefix().MakeDir("elsewhere/deep");
  QDir().mkpath(QString::fromStdString(Prefix().Root() + "/dosdevices"));
  ASSERT_TRUE(QFile::link(QString::fromStdString(Prefix().DriveC() + "/elsewhere"),
                          QString::fromStdString(Prefix().Root() + "/dosdevices/m:")));
  fs::ResetState();
  EXPECT_EQ(Argument(Prefix().DriveC() + "/elsewhere/deep/a.mp3").windows, "m:\\deep\\a.mp3");
  EXPECT_EQ(Argument(Prefix().DriveC() + "/music").windows, "c:\\music");
}

TEST_F(Handed, AFolderBecomesThePlaylistAndBadPathsGiveOneMessageEach) {
  Prefix().MakeDir("empty folder");
  StartProgram();
  Main().OpenHanded(Argument(Prefix().DriveC() + "/empty folder"));
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\empty folder");
  EXPECT_FALSE(Main().mp31->DeviceOpen());

  for (const std::string& bad : {std::string("c:\\music\\missing.mp3"),
                                 std::string("/tmp/bad\xff.mp3"), std::string("x:\\nodrive")}) {
    const HandedPath handed = Argument(bad);
    Guard([&] { Main().OpenHanded(handed); });
    const auto messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1u) << bad;
    EXPECT_EQ(messages[0], "Cannot open file " + handed.shown + ".") << bad;
    EXPECT_EQ(Main().playlist1->Folder(), "c:\\empty folder") << bad;
  }
}

TEST_F(Handed, APathThatCouldNotBeOpenedLeavesTheRestoreToBringBackTheLastPlaylist) {
  Prefix().MakeDir("other");
  Prefix().WriteFile("qrv30/last.lst", "c:\\other\r\n");
  StartProgram();
  Guard([&] { Main().OpenHanded(Argument("c:\\music\\missing.mp3")); });
  EXPECT_EQ(TakeMessages().size(), 1u);
  Main().Timer3Timer(Main().Timer3);
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\other");
  EXPECT_EQ(Main().title1->Caption(), QString());
}

TEST_F(Handed, AFifoOrADeviceNodeAnswersAtOnceWithOneMessageAtMost) {
  const std::string fifo = Prefix().MakeFifo("music/04 Pipe.mp3");
  ASSERT_FALSE(fifo.empty());
  StartProgram();
  for (const std::string& path : {fifo, std::string("/dev/null")}) {
    Guard([&] { Main().OpenHanded(Argument(path)); });
    EXPECT_LE(TakeMessages().size(), 1u) << path;
  }
}

TEST_F(Handed, ADropOpensTheFirstFileDropped) {
  StartProgram();
  QMimeData data;
  data.setUrls(
      {QUrl::fromLocalFile(QString::fromStdString(Prefix().DriveC() + "/music/03 Three.mp3")),
       QUrl::fromLocalFile(QString::fromStdString(Prefix().DriveC() + "/music/01 One.mp3"))});
  QDropEvent drop(QPointF(100, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  EXPECT_TRUE(Main().acceptDrops());
  QDragEnterEvent enter(QPoint(100, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  static_cast<QObject&>(Main()).event(&enter);
  EXPECT_TRUE(enter.isAccepted());
  QMimeData link;
  link.setUrls({QUrl(QStringLiteral("https://example.org/a.mp3"))});
  QDragEnterEvent refused(QPoint(100, 300), Qt::CopyAction, &link, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  static_cast<QObject&>(Main()).event(&refused);
  EXPECT_FALSE(refused.isAccepted());
  // Delivered to the window directly: without a drag in progress the application does not route
  // a drop.
  static_cast<QObject&>(Main()).event(&drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(Main().playlist1->ItemIndex(), 2);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("Third Song"));
  EXPECT_TRUE(DevicePlaying());
}

TEST_F(Handed, RemotePlayWithNothingOpenStartsTheSelectedOrFirstItem) {
  StartProgram();
  Main().PlayRemotely();
  EXPECT_EQ(Main().playlist1->ItemIndex(), 0);
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("First Song"));
  EXPECT_TRUE(Main().Timer2->Enabled());

  Device().open_error = mci::MCIERR_FILE_NOT_FOUND;
  Main().playlist1->SetItemIndex(2);
  Guard([&] { Main().playlist1Click(Main().playlist1); });
  TakeMessages();
  Device().open_error = 0;
  ASSERT_FALSE(Main().mp31->DeviceOpen());
  Main().PlayRemotely();
  EXPECT_EQ(Main().title1->Caption(), QStringLiteral("Third Song"));

  Prefix().MakeDir("empty");
  Main().mp31->Close();
  Main().playlist1->SelectPath("c:\\empty");
  Main().PlayRemotely();
  EXPECT_FALSE(Main().mp31->DeviceOpen());
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(Handed, AChoiceOfTheStartFolderIsWrittenWhileAStoredFolderNeverRestoredIsKept) {
  Prefix().WriteFile("qrv30/last.lst", "c:\\vanished\r\n");
  StartProgram();
  Guard([&] { Main().Timer3Timer(Main().Timer3); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{"File not found."});
  // The user chooses the very folder the list already shows.
  Form2->Edit1->setText(QStringLiteral("c:\\music"));
  Form2->dxButton1Click(Form2);
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\music\r\n");
}

struct StoredLine {
  const char* line;
  const char* message;
};

class KeptLastList : public MainWindowTest, public ::testing::WithParamInterface<StoredLine> {};

TEST_P(KeptLastList, TheRestoreKeepsLastListWhenTheStoredFolderWasNotEnteredAsStored) {
  const std::string stored = std::string(GetParam().line) + "\r\n";
  Prefix().WriteFile("qrv30/last.lst", stored);
  StartProgram();
  Guard([&] { Main().Timer3Timer(Main().Timer3); });
  EXPECT_EQ(TakeMessages(), std::vector<std::string>{GetParam().message});
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), stored);
}

INSTANTIATE_TEST_SUITE_P(Lines, KeptLastList,
                         ::testing::Values(StoredLine{"..\\..\\music", "Invalid filename."},
                                           StoredLine{"music", "Invalid filename."},
                                           StoredLine{"c:\\music\\01 One.mp3\\below",
                                                      "File not found."}));

TEST_F(Handed, AStoredFileRestoresItsFolderAndCountsAsRestored) {
  Prefix().WriteFile("qrv30/last.lst", "c:\\music\\01 One.mp3\r\n");
  StartProgram();
  Main().playlist1->SelectPath("c:\\");
  Main().Timer3Timer(Main().Timer3);
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(Main().playlist1->Folder(), "c:\\music");
  Main().Close();
  EXPECT_EQ(Prefix().ReadFile("qrv30/last.lst"), "c:\\music\r\n");
}

}  // namespace
}  // namespace qrv::test
