#include <gtest/gtest.h>

#include <QAccessible>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "runtime/exceptions.h"
#include "runtime/fonts.h"
#include "runtime/form.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/picture_file.h"
#include "runtime/widgets/rich_buffer.h"
#include "runtime/widgets/track_bar.h"
#include "temp_prefix.h"

namespace qrv {
namespace {

TEST(Gauge, ClampsProgressAndRepaintsOnlyWhenThePercentageChanges) {
  TGauge gauge;
  gauge.resize(249, 17);
  EXPECT_EQ(gauge.PercentDone(), 0);
  gauge.SetMaxValue(200000);
  const int before = gauge.RepaintRequests();
  // 1 % of 200 000 is 2 000: small steps inside one percent cost no repaint.
  for (int position = 0; position < 2000; position += 10) gauge.SetProgress(position);
  EXPECT_EQ(gauge.RepaintRequests(), before);
  gauge.SetProgress(2000);
  EXPECT_EQ(gauge.PercentDone(), 1);
  EXPECT_EQ(gauge.RepaintRequests(), before + 1);

  gauge.SetProgress(-5);
  EXPECT_EQ(gauge.Progress(), 0);
  gauge.SetProgress(999999999);
  EXPECT_EQ(gauge.Progress(), 200000);
  EXPECT_EQ(gauge.PercentDone(), 100);
  // A smaller maximum pulls the progress down with it.
  gauge.SetMaxValue(100);
  EXPECT_EQ(gauge.Progress(), 100);
  gauge.SetMaxValue(-3);
  EXPECT_EQ(gauge.MaxValue(), 0);
  EXPECT_EQ(gauge.PercentDone(), 0);
}

TEST(Gauge, PaintsTheFilledShareInTheForeColour) {
  TGauge gauge;
  gauge.resize(100, 10);
  gauge.SetProgress(25);
  QImage image = gauge.grab().toImage();
  EXPECT_EQ(QColor(image.pixel(10, 5)), QColor(Qt::blue));
  EXPECT_EQ(QColor(image.pixel(30, 5)), QColor(Qt::black));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&gauge);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::ProgressBar);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("25%"));
}

// The display's label and gauge change several times a second; while no screen reader listens
// nobody pays for telling them, and whoever asks later reads the text shown at that moment.
TEST(PaintedWidgets, TellTheirShownTextWhenAskedAndAnnounceNothingUnheard) {
  static int announced = 0;
  QAccessible::installUpdateHandler([](QAccessibleEvent*) { ++announced; });
  ASSERT_FALSE(QAccessible::isActive());
  TLabel label;
  TGauge gauge;
  gauge.SetMaxValue(100);
  QAccessibleInterface* label_access = QAccessible::queryAccessibleInterface(&label);
  QAccessibleInterface* gauge_access = QAccessible::queryAccessibleInterface(&gauge);
  for (const int second : {1, 2, 3}) {
    label.SetCaption(QStringLiteral("0:0%1").arg(second));
    gauge.SetProgress(second * 10);
    EXPECT_EQ(label_access->text(QAccessible::Name), QStringLiteral("0:0%1").arg(second));
    EXPECT_EQ(gauge_access->text(QAccessible::Value), QStringLiteral("%1%").arg(second * 10));
  }
  EXPECT_EQ(announced, 0);
  QAccessible::installUpdateHandler(nullptr);
}

TEST(TrackBar, RaisesChangeOnlyForRealChanges) {
  TTrackBar bar;
  int changes = 0;
  bar.SetOnChange([&] { ++changes; });
  bar.SetMax(1000);
  EXPECT_EQ(changes, 0);
  bar.SetPosition(500);
  EXPECT_EQ(changes, 1);
  bar.SetPosition(500);
  EXPECT_EQ(changes, 1);
  // A maximum below the position pulls it down, which is a change.
  bar.SetMax(300);
  EXPECT_EQ(bar.Position(), 300);
  EXPECT_EQ(changes, 2);
  bar.SetPosition(5000);
  EXPECT_EQ(bar.Position(), 300);
  EXPECT_EQ(changes, 2);
  bar.SetPosition(-1);
  EXPECT_EQ(bar.Position(), 0);
  EXPECT_EQ(changes, 3);
}

TEST(TrackBar, KeyboardMovesRaiseChange) {
  TTrackBar bar;
  bar.resize(249, 25);
  bar.SetMax(10);
  std::vector<int> seen;
  bar.SetOnChange([&] { seen.push_back(bar.Position()); });
  QTest::keyClick(&bar, Qt::Key_Right);
  QTest::keyClick(&bar, Qt::Key_End);
  EXPECT_EQ(seen, (std::vector<int>{1, 10}));
}

TEST(TrackBar, AnErrorInAProgramChangeLeavesTheSetter) {
  TTrackBar bar;
  bar.SetMax(100);
  bar.SetOnChange([] { throw EMCIDeviceError("No MCI device open"); });
  EXPECT_THROW(bar.SetPosition(40), EMCIDeviceError);
  EXPECT_EQ(bar.Position(), 40);
  // The error is not kept for the next call.
  bar.SetOnChange([] {});
  EXPECT_NO_THROW(bar.SetPosition(41));
}

TEST(TrackBar, KeepsTicksApartOnLongRanges) {
  TTrackBar bar;
  bar.resize(249, 25);
  bar.SetTickFrequency(1);
  bar.SetMax(10);
  EXPECT_EQ(bar.tickInterval(), 1);
  bar.SetMax(180000);
  EXPECT_GE(bar.tickInterval(), 180000 / (249 / 4));
}

TEST(Label, SameCaptionCostsNothingAndAutoSizeFollowsTheText) {
  TLabel label;
  label.setFont(PixelFont("MS Sans Serif", 13));
  label.SetCaption(QStringLiteral("00:00:00"));
  const int requests = label.RepaintRequests();
  label.SetCaption(QStringLiteral("00:00:00"));
  EXPECT_EQ(label.RepaintRequests(), requests);
  const int narrow = label.width();
  label.SetCaption(QStringLiteral("00:00:00 and more"));
  EXPECT_GT(label.width(), narrow);

  label.SetSizing(LabelSizing::Fixed);
  label.resize(73, 16);
  label.SetCaption(QStringLiteral("a much longer caption than fits"));
  EXPECT_EQ(label.size(), QSize(73, 16));

  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&label);
  ASSERT_NE(accessible, nullptr);
  EXPECT_EQ(accessible->role(), QAccessible::StaticText);
  EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("a much longer caption than fits"));
}

TEST(Picture, LoadsStretchesAndReportsBadFiles) {
  test::TempPrefix prefix;
  QImage red(4, 4, QImage::Format_RGB32);
  red.fill(Qt::red);
  prefix.MakeDir("qrv30");
  ASSERT_TRUE(red.save(QString::fromStdString(prefix.DriveC() + "/qrv30/red.bmp"), "BMP"));
  prefix.WriteFile("qrv30/bad.bmp", "not a picture at all");

  TImage image;
  image.resize(20, 10);
  image.SetFit(PictureFit::Stretch);
  image.LoadFromFile("C:\\QRV30\\red.bmp");
  EXPECT_EQ(QColor(image.grab().toImage().pixel(19, 9)), QColor(Qt::red));

  try {
    image.LoadFromFile("c:\\qrv30\\missing.bmp");
    FAIL() << "a missing file must raise";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file c:\\qrv30\\missing.bmp");
  }
  EXPECT_THROW(image.LoadFromFile("c:\\qrv30\\bad.bmp"), EInvalidGraphic);
  // The earlier picture stays.
  EXPECT_FALSE(image.Picture().isNull());
}

TEST(PictureFile, TheKindFollowsTheExtensionAndOnlySmallRegularFilesAreRead) {
  test::TempPrefix prefix;
  prefix.MakeDir("qrv30");
  QImage green(4, 4, QImage::Format_RGB32);
  green.fill(Qt::green);
  const auto save = [&](const char* name, const char* format) {
    ASSERT_TRUE(green.save(QString::fromStdString(prefix.DriveC() + "/qrv30/" + name), format));
  };
  save("real.bmp", "BMP");
  save("png.bmp", "PNG");
  save("jpeg.bmp", "JPEG");
  save("photo.JPG", "JPEG");
  save("bitmap.jpg", "BMP");
  ASSERT_FALSE(prefix.MakeFifo("qrv30/fifo.bmp").empty());
  {
    QFile huge(QString::fromStdString(prefix.WriteFile("qrv30/huge.bmp", "BM")));
    ASSERT_TRUE(huge.resize(static_cast<qint64>(kMaxPictureFileBytes) + 1));
  }
  enum class Outcome { kPicture, kInvalid, kCannotOpen };
  const struct {
    const char* path;
    Outcome outcome;
  } cases[] = {
      {"c:\\qrv30\\real.bmp", Outcome::kPicture},    {"c:\\qrv30\\photo.jpg", Outcome::kPicture},
      {"c:\\qrv30\\png.bmp", Outcome::kInvalid},     {"c:\\qrv30\\jpeg.bmp", Outcome::kInvalid},
      {"c:\\qrv30\\bitmap.jpg", Outcome::kInvalid},  {"c:\\qrv30\\huge.bmp", Outcome::kInvalid},
      {"c:\\qrv30\\fifo.bmp", Outcome::kCannotOpen}, {"c:\\qrv30", Outcome::kCannotOpen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    try {
      EXPECT_EQ(DecodePictureFile(c.path).size(), QSize(4, 4));
      EXPECT_EQ(c.outcome, Outcome::kPicture);
    } catch (const EInvalidGraphic&) {
      EXPECT_EQ(c.outcome, Outcome::kInvalid);
    } catch (const EFOpenError& e) {
      EXPECT_EQ(c.outcome, Outcome::kCannotOpen);
      EXPECT_EQ(e.Message(), std::string("Cannot open file ") + c.path);
    }
  }
}

TEST(Picture, ATransparentPictureLeavesOutItsBottomLeftColour) {
  QWidget parent;
  parent.setAutoFillBackground(true);
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, Qt::blue);
  parent.setPalette(palette);
  parent.resize(40, 20);
  QImage art(4, 2, QImage::Format_RGB32);
  art.fill(Qt::black);                  // the key: bottom-left is black
  art.setPixel(3, 0, qRgb(0, 255, 0));  // one green pixel in the top-right corner
  auto* image = Place(new TImage(&parent), {0, 0, 40, 20});
  image->SetFit(PictureFit::Stretch);
  image->SetPicture(QPixmap::fromImage(art));
  const auto at = [&](int x, int y) { return QColor(parent.grab().toImage().pixel(x, y)); };
  EXPECT_EQ(at(2, 18), QColor(Qt::black));
  image->SetTransparent(true);
  EXPECT_EQ(at(2, 18), QColor(Qt::blue));  // the window shows through
  EXPECT_EQ(at(38, 2), QColor(0, 255, 0));
  // Once drawn, the control keeps the keyed picture only, yet still hands out the one it was
  // given, key colour and all, and shows it whole again when no longer transparent.
  EXPECT_EQ(image->Picture().toImage().convertToFormat(QImage::Format_RGB32), art);
  image->SetTransparent(false);
  EXPECT_EQ(at(2, 18), QColor(Qt::black));
  EXPECT_EQ(at(38, 2), QColor(0, 255, 0));
  // A new picture replaces the keyed one, and clearing leaves nothing drawn.
  image->SetTransparent(true);
  at(0, 0);
  image->Clear();
  EXPECT_TRUE(image->Picture().isNull());
  EXPECT_EQ(at(38, 2), QColor(Qt::blue));
}

TEST(MenuBar, RunsEnabledCommandsOnlyAndSplitsHints) {
  TActionMainMenuBar bar;
  TMenuAction action(QStringLiteral("E&xit"), &bar);
  int runs = 0;
  action.SetOnExecute([&] { ++runs; });
  action.SetHint(QStringLiteral("Exit|Quits the application"));
  bar.AddMenu(QStringLiteral("&File"), {&action});
  EXPECT_EQ(action.toolTip(), QStringLiteral("Exit"));
  EXPECT_EQ(action.statusTip(), QStringLiteral("Quits the application"));
  action.Execute();
  action.setEnabled(false);
  action.Execute();
  EXPECT_EQ(runs, 1);
  ASSERT_EQ(bar.actions().size(), 1);
  EXPECT_EQ(bar.actions().front()->text(), QStringLiteral("&File"));
}

TEST(RichBuffer, StaysHiddenAndSavesItsLineWithCrLf) {
  test::TempPrefix prefix;
  prefix.MakeDir("qrv30");
  QWidget window;
  TRichBuffer buffer(&window);
  window.show();
  buffer.show();
  EXPECT_TRUE(buffer.isHidden());
  buffer.AddLine("stale");
  buffer.Clear();
  buffer.AddLine("d:\\");
  EXPECT_EQ(buffer.Text(), "d:\\\r\n");
  buffer.SaveToFile("c:\\qrv30\\last.lst");
  EXPECT_EQ(prefix.ReadFile("qrv30/last.lst"), "d:\\\r\n");
  // A missing folder cannot take the file.
  try {
    buffer.SaveToFile("c:\\missing\\last.lst");
    FAIL() << "the write must fail";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file c:\\missing\\last.lst");
  }
}

}  // namespace
}  // namespace qrv
