#include "runtime/tools/provisioning.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <QTemporaryDir>
#include <chrono>
#include <cstdint>
#include <filesystem>

#include "runtime/fs/drive_map.h"
#include "runtime/tools/backgrounds.h"
#include "temp_prefix.h"

namespace qrv::provision {
namespace {

const char kHelp[] = "Quorvin help\nline two\r\nline three\rend";

uint32_t Le(const std::string& bytes, size_t at, int width) {
  uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// Every file below the data folder with its bytes and modification time.
std::map<std::string, std::pair<std::string, QDateTime>> Snapshot(const test::TempPrefix& prefix) {
  std::map<std::string, std::pair<std::string, QDateTime>> files;
  for (const std::string folder : {"qrv30", "qrv30/backgrounds", "qrv30/playlists"}) {
    for (const auto& name : prefix.List(folder)) {
      const std::string relative = folder + "/" + name;
      const QFileInfo info(QString::fromStdString(prefix.DriveC() + "/" + relative));
      files[relative] = {prefix.ReadFile(relative), info.lastModified()};
    }
  }
  return files;
}

TEST(Provisioning, LineEndsBecomeCrLf) {
  EXPECT_EQ(ToCrLf("a\nb\r\nc\rd\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n");
  EXPECT_EQ(ToCrLf(""), "");
}

TEST(Provisioning, BackgroundsAreBitmapsOfTheWindowsSize) {
  const auto backgrounds = MakeBackgrounds();
  ASSERT_GE(backgrounds.size(), 4u);
  EXPECT_EQ(backgrounds.front().file_name, "standar.bmp");
  for (const auto& background : backgrounds) {
    const std::string& bmp = background.bytes;
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
    EXPECT_EQ(Le(bmp, 18, 4), static_cast<uint32_t>(kBackgroundWidth));
    EXPECT_EQ(Le(bmp, 22, 4), static_cast<uint32_t>(kBackgroundHeight));
    EXPECT_EQ(Le(bmp, 28, 2), 24u);
    QImage image;
    ASSERT_TRUE(
        image.loadFromData(QByteArray(bmp.data(), static_cast<qsizetype>(bmp.size())), "BMP"))
        << background.file_name;
    EXPECT_EQ(image.size(), QSize(kBackgroundWidth, kBackgroundHeight));
    // Light enough everywhere for blue text to stand out.
    for (int y = 0; y < image.height(); y += 16) {
      for (int x = 0; x < image.width(); x += 16) {
        ASSERT_GT(qGray(image.pixel(x, y)), 150) << background.file_name << " at " << x << "," << y;
      }
    }
  }
  EXPECT_NE(backgrounds[0].bytes, backgrounds[1].bytes);
}

TEST(Provisioning, TheSeeThroughColourOfABackgroundIsOnlyItsCorner) {
  // The main window shows its background as a transparent picture, which lets the window through
  // wherever the bitmap has its bottom-left colour; elsewhere that colour would be a black speck.
  for (const auto& background : MakeBackgrounds()) {
    const std::string& bmp = background.bytes;
    QImage image;
    ASSERT_TRUE(
        image.loadFromData(QByteArray(bmp.data(), static_cast<qsizetype>(bmp.size())), "BMP"));
    image = image.convertToFormat(QImage::Format_RGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    int matches = 0;
    for (int y = 0; y < image.height(); ++y) {
      const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      matches += static_cast<int>(std::count(line, line + image.width(), key));
    }
    EXPECT_EQ(matches, 1) << background.file_name;
  }
}

TEST(Provisioning, CreatesTheDataFolderOnceAndNeverOverwrites) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/backgrounds/Standar.BMP", "the user's own picture");
  prefix.WriteFile("qrv30/playlists/rock.pm3", "c:\\Music\r\n");

  const Report first = ProvisionDataFolder(kHelp);
  EXPECT_TRUE(first.failed.empty());
  EXPECT_EQ(prefix.ReadFile("qrv30/backgrounds/Standar.BMP"), "the user's own picture");
  EXPECT_FALSE(prefix.Exists("qrv30/backgrounds/standar.bmp"));  // Same file, other case.
  EXPECT_EQ(prefix.ReadFile("qrv30/playlists/rock.pm3"), "c:\\Music\r\n");
  EXPECT_EQ(prefix.ReadFile("qrv30/helppro.txt"), "Quorvin help\r\nline two\r\nline three\r\nend");
  EXPECT_TRUE(prefix.Exists("qrv30/backgrounds/dawn.bmp"));
  EXPECT_FALSE(prefix.Exists("qrv30/start.bmp"));
  EXPECT_FALSE(prefix.Exists("qrv30/last.lst"));

  const auto before = Snapshot(prefix);
  const Report second = ProvisionDataFolder("other help");
  EXPECT_TRUE(second.created.empty());
  EXPECT_TRUE(second.failed.empty());
  EXPECT_EQ(Snapshot(prefix), before);
}

TEST(Provisioning, ReportsWhatCannotBeCreated) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30", "a file where the folder belongs");
  const Report report = ProvisionDataFolder(kHelp);
  EXPECT_FALSE(report.failed.empty());
  EXPECT_EQ(prefix.ReadFile("qrv30"), "a file where the folder belongs");
}

// A prefix made long ago by hand, holding only a link to a music drive, as the README's link
// command leaves it: the table was read and settled before provisioning made drive_c.
TEST(Provisioning, FillsAnOldPrefixWithOnlyALinkAndTheTableSeesTheNewDriveAtOnce) {
  QTemporaryDir dir;
  const std::string root = dir.path().toStdString() + "/old prefix";
  std::filesystem::create_directories(root + "/dosdevices");
  std::filesystem::create_directory_symlink(dir.path().toStdString(), root + "/dosdevices/m:");
  const auto long_ago = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(root + "/dosdevices", long_ago);
  std::filesystem::last_write_time(root, long_ago);
  const QByteArray previous = qgetenv("QUORVIN_PREFIX");
  qputenv("QUORVIN_PREFIX", QByteArray::fromStdString(root));
  fs::ResetState();
  ASSERT_TRUE(fs::DriveHostRoot('m'));
  ASSERT_FALSE(fs::DriveHostRoot('c'));

  const Report report = ProvisionDataFolder(kHelp);
  EXPECT_TRUE(report.failed.empty()) << report.failed.front();
  EXPECT_TRUE(fs::FileExists("c:\\qrv30\\backgrounds\\standar.bmp"));
  EXPECT_TRUE(fs::DriveHostRoot('m'));
  qputenv("QUORVIN_PREFIX", previous);
  fs::ResetState();
}

TEST(Provisioning, MakesTheLinksFolderSoThatAUserCanAddADrive) {
  test::TempPrefix prefix;
  ASSERT_FALSE(QFileInfo::exists(QString::fromStdString(prefix.Root() + "/dosdevices")));
  EXPECT_TRUE(ProvisionDataFolder(kHelp).failed.empty());
  EXPECT_TRUE(QFileInfo(QString::fromStdString(prefix.Root() + "/dosdevices")).isDir());
  EXPECT_TRUE(prefix.Exists("qrv30/helppro.txt"));
}

// The script as `make run` will call it, on a prefix that does not exist yet.
TEST(Provisioning, ScriptFillsAFreshPrefixAndChangesNothingTheSecondTime) {
  QTemporaryDir dir;
  const QString prefix_root = dir.path() + "/fresh prefix";
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QUORVIN_PREFIX", prefix_root);
  env.insert("QRV_PROVISION_BIN", QRV_PROVISION_BIN);

  auto run = [&] {
    QProcess script;
    script.setProcessEnvironment(env);
    script.start(QString(QRV_SOURCE_DIR) + "/scripts/provision", {});
    EXPECT_TRUE(script.waitForFinished(60000));
    EXPECT_EQ(script.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();
    return script.readAllStandardOutput().toStdString();
  };
  const std::string first = run();
  EXPECT_NE(first.find("created c:\\qrv30\\helppro.txt"), std::string::npos) << first;
  const QString help_path = prefix_root + "/drive_c/qrv30/helppro.txt";
  QFile help(help_path);
  ASSERT_TRUE(help.open(QIODevice::ReadOnly));
  const QByteArray text = help.readAll();
  help.close();
  EXPECT_TRUE(text.startsWith("Quorvin 3.0 Pro - Help\r\n"));
  EXPECT_EQ(text.count("\n"), text.count("\r\n"));  // No bare line feeds.
  EXPECT_TRUE(text.contains("c:\\qrv30\\playlists"));

  const QDateTime written = QFileInfo(help_path).lastModified();
  EXPECT_EQ(run(), "");
  EXPECT_EQ(QFileInfo(help_path).lastModified(), written);
}

}  // namespace
}  // namespace qrv::provision
