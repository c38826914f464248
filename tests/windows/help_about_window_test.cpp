#include <gtest/gtest.h>

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstring>

#include "controls/dx_button.h"
#include "runtime/widgets/bevel.h"
#include "runtime/widgets/label.h"
#include "temp_prefix.h"
#include "window_helpers.h"
#include "windows/about_window.h"
#include "windows/help_window.h"

namespace qrv {
namespace {

TEST(HelpWindow, ReadsTheHelpFileAfreshAtEveryShowing) {
  test::TempPrefix prefix;
  test::MessageLog log;
  prefix.WriteFile("qrv30/helppro.txt", "Quorvin help\r\n\r\nPlay: starts the item\r\n");
  TForm6 form;
  EXPECT_TRUE(form.RichEdit1->toPlainText().isEmpty()) << "nothing shows before the file";
  form.Show();
  EXPECT_EQ(form.RichEdit1->toPlainText(),
            QStringLiteral("Quorvin help\n\nPlay: starts the item\n"));
  form.dxButton1->Click();
  EXPECT_FALSE(form.isVisible());

  prefix.WriteFile("qrv30/helppro.txt", "Edited text\nwith \xc3\xa9 in it");
  form.Show();
  EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("Edited text\nwith \u00e9 in it"));
  EXPECT_TRUE(log.texts.empty());
}

TEST(HelpWindow, TextIsPlainAndReadOnly) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/helppro.txt", "<b>not bold</b>\r{\\rtf1 not rich}\r\n");
  TForm6 form;
  form.Show();
  EXPECT_EQ(form.RichEdit1->toPlainText(), QStringLiteral("<b>not bold</b>\n{\\rtf1 not rich}\n"));
  EXPECT_TRUE(form.RichEdit1->isReadOnly());
  EXPECT_EQ(form.RichEdit1->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(HelpWindow, MissingHelpFileIsReportedAndTheWindowOpensEmpty) {
  test::TempPrefix prefix;
  test::MessageLog log;
  prefix.WriteFile("qrv30/helppro.txt", "first version");
  TForm6 form;
  form.Show();
  form.Close();
  std::remove((prefix.DriveC() + "/qrv30/helppro.txt").c_str());
  form.Show();
  EXPECT_EQ(log.texts, (std::vector<std::string>{"Cannot open file c:\\qrv30\\helppro.txt."}));
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.RichEdit1->toPlainText().isEmpty()) << "no text of an earlier showing";
}

TEST(HelpWindow, AHugeHelpFileShowsItsFirstMegabyteAndSaysItIsCut) {
  test::TempPrefix prefix;
  test::MessageLog log;
  std::string line(99, 'h');
  line += '\n';
  std::string text;
  for (int i = 0; i < 20000; ++i) text += line;  // 2 MB of 100-byte lines
  prefix.WriteFile("qrv30/helppro.txt", text);
  TForm6 form;
  form.Show();
  const QString shown = form.RichEdit1->toPlainText();
  EXPECT_TRUE(shown.endsWith(QString::fromLatin1(TForm6::kCutNotice)));
  const QString kept = shown.left(shown.size() - qsizetype(std::strlen(TForm6::kCutNotice)));
  EXPECT_LE(kept.size(), 1 << 20);
  EXPECT_GT(kept.size(), (1 << 20) - 100);
  EXPECT_TRUE(kept.endsWith(QString::fromLatin1(line.c_str()))) << "no broken-off line";
  EXPECT_TRUE(log.texts.empty());

  // A FIFO named as the help file is refused at once, not waited on.
  ASSERT_FALSE(prefix.MakeFifo("qrv30/helppro.txt").empty());
  form.Close();
  form.Show();
  EXPECT_EQ(log.texts, (std::vector<std::string>{"Cannot open file c:\\qrv30\\helppro.txt."}));
  EXPECT_TRUE(form.RichEdit1->toPlainText().isEmpty());
}

TEST(HelpWindow, AnOverlongLineGoesOnInTheNextAndNothingOfItIsLost) {
  test::TempPrefix prefix;
  std::string line;
  for (int i = 0; i < 4500; ++i) line += static_cast<char>('a' + i % 26);
  // A character of two halves (U+1D11E) right where the first break falls.
  const std::string clef = "\xf0\x9d\x84\x9e";
  prefix.WriteFile("qrv30/helppro.txt",
                   "short\r\n" + line.substr(0, 1999) + clef + line.substr(1999) + "\r\nend");
  TForm6 form;
  form.Show();
  const QStringList lines = form.RichEdit1->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(lines.size(), 5);
  EXPECT_EQ(lines[0], QStringLiteral("short"));
  for (int i = 1; i <= 3; ++i) EXPECT_LE(lines[i].toUcs4().size(), 2000) << i;
  EXPECT_EQ(lines[1].toUcs4().size(), 2000) << "the pair of halves stays whole, on the first line";
  EXPECT_EQ((lines[1] + lines[2] + lines[3]).toStdString(),
            line.substr(0, 1999) + clef + line.substr(1999));
  EXPECT_EQ(lines[4], QStringLiteral("end"));
}

TEST(HelpWindow, ControlsAreReachableByScreenReaders) {
  test::TempPrefix prefix;
  prefix.WriteFile("qrv30/helppro.txt", "text");
  TForm6 form;
  form.Show();
  EXPECT_EQ(test::AccessibleName(form.RichEdit1), QStringLiteral("Help text"));
  EXPECT_EQ(test::AccessibleName(form.dxButton1), QStringLiteral("Ok"));
  ASSERT_TRUE(test::AccessiblePress(form.dxButton1));
  EXPECT_FALSE(form.isVisible());
}

TEST(AboutWindow, ShowsNameVersionAndCredits) {
  TForm7 form;
  EXPECT_EQ(form.Label1->Caption(), QStringLiteral("Quorvin"));
  EXPECT_EQ(form.Label2->Caption(), QStringLiteral("Version: 3.0 Pro"));
  EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Creators: "));
  for (TLabel* line : {form.Label3, form.Label4, form.Label5}) {
    EXPECT_EQ(line->parentWidget(), form.GroupBox1);
    EXPECT_FALSE(line->Caption().isEmpty());
    // Every credit line fits inside the group box.
    EXPECT_LE(line->geometry().right(), form.GroupBox1->width()) << line->Caption().toStdString();
  }
  EXPECT_EQ(form.dxButton1->Caption(), QStringLiteral("Ok"));
}

TEST(AboutWindow, OkEndsTheModalShowing) {
  TForm7 form;
  QTimer::singleShot(0, &form, [&] { form.dxButton1->Click(); });
  form.ShowModal();
  EXPECT_FALSE(form.isVisible());
}

TEST(AboutWindow, ControlsAreReachableByScreenReaders) {
  TForm7 form;
  EXPECT_EQ(test::AccessibleName(form.Label2), QStringLiteral("Version: 3.0 Pro"));
  EXPECT_EQ(test::AccessibleRole(form.Bevel1), static_cast<int>(QAccessible::Separator));
  EXPECT_EQ(test::AccessibleRole(form.GroupBox1), static_cast<int>(QAccessible::Grouping));
  EXPECT_EQ(test::AccessibleRole(form.dxButton1), static_cast<int>(QAccessible::Button));
  form.Show();
  ASSERT_TRUE(test::AccessiblePress(form.dxButton1));
  EXPECT_FALSE(form.isVisible());
}

}  // namespace
}  // namespace qrv
