// The editor's controls and what it shows, before and after it is filled.
#include <QGroupBox>

#include "controls/bit_btn.h"
#include "controls/dx_button.h"
#include "editor_fixture.h"
#include "engine/orb_player.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "tags/forms/tag_edit.h"
#include "tags/mp3_tag.h"

namespace qrv::test {
namespace {

QRect Rect(const QWidget* w) {
  return w->geometry();
}

// The next control that the tab key reaches, as the window's focus chain orders them.
const QWidget* NextTabStop(const QWidget* w) {
  for (const QWidget* next = w->nextInFocusChain(); next != w; next = next->nextInFocusChain()) {
    if ((next->focusPolicy() & Qt::TabFocus) != 0) return next;
  }
  return nullptr;
}

using AudioEditorLayout = EditorTest;

TEST_F(AudioEditorLayout, ControlsStandWhereTheLayoutPutsThem) {
  Tmp3tools& e = Editor();
  EXPECT_EQ(e.Caption(), "Quorvin Audio Editor");
  EXPECT_EQ(e.ClientWidth(), 515);
  EXPECT_EQ(e.ClientHeight(), 323);
  EXPECT_FALSE(e.windowIcon().isNull());

  const std::pair<TLabel*, std::pair<QPoint, const char*>> labels[] = {
      {e.Label1, {{48, 17}, "Title:"}},    {e.Label2, {{48, 57}, "Artist:"}},
      {e.Label3, {{40, 97}, "Album:"}},    {e.Label4, {{40, 137}, "Genre:"}},
      {e.Label5, {{8, 177}, "Comments:"}}, {e.Label6, {{48, 217}, "Year:"}},
      {e.Label7, {{40, 257}, "Track:"}},   {e.Label8, {{16, 297}, "FIlename:"}},
  };
  for (const auto& [label, expected] : labels) {
    EXPECT_EQ(label->pos(), expected.first) << expected.second;
    EXPECT_EQ(label->Caption(), QString::fromLatin1(expected.second));
    EXPECT_TRUE(label->font().bold()) << expected.second;
  }
  EXPECT_EQ(Rect(e.Label9), QRect(88, 296, 289, 17));
  EXPECT_EQ(e.Label9->Sizing(), LabelSizing::Fixed);
  EXPECT_FALSE(e.Label9->font().bold());
  EXPECT_EQ(e.Label9->Caption(), QStringLiteral("Filename"));

  const std::pair<TTagEdit*, QRect> boxes[] = {
      {e.title, {88, 16, 417, 24}},  {e.artist, {88, 56, 417, 24}},    {e.album, {88, 96, 417, 24}},
      {e.genre, {88, 136, 417, 24}}, {e.comments, {88, 176, 417, 24}}, {e.year, {88, 216, 57, 24}},
      {e.track, {88, 256, 57, 24}},
  };
  for (const auto& [box, rect] : boxes) {
    EXPECT_EQ(Rect(box), rect) << box->objectName().toStdString();
    // Before the first show a box holds its own name.
    EXPECT_EQ(box->text(), box->objectName());
    EXPECT_FALSE(box->accessibleName().isEmpty());
  }
  // Tab order: the seven boxes, then the three flat buttons.
  const QWidget* order[] = {e.title, e.artist, e.album,     e.genre,     e.comments,
                            e.year,  e.track,  e.dxButton1, e.dxButton2, e.dxButton3};
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(NextTabStop(order[i]), order[i + 1]) << i;
  }

  EXPECT_EQ(Rect(e.GroupBox1), QRect(384, 208, 121, 73));
  EXPECT_TRUE(e.GroupBox1->title().isEmpty());
  const std::pair<TdxButton*, std::pair<QRect, const char*>> flats[] = {
      {e.dxButton1, {{8, 16, 105, 17}, "Save"}},
      {e.dxButton2, {{8, 32, 105, 17}, "Close"}},
      {e.dxButton3, {{8, 48, 105, 17}, "Refresh"}},
  };
  for (const auto& [button, expected] : flats) {
    EXPECT_EQ(button->parentWidget(), e.GroupBox1);
    EXPECT_EQ(Rect(button), expected.first);
    EXPECT_EQ(button->Caption(), QString::fromLatin1(expected.second));
    EXPECT_FALSE(button->Font().Bold());
    EXPECT_EQ(button->Font().Color(), clBlue);
  }

  EXPECT_EQ(Rect(e.DDMBitBtn1), QRect(392, 288, 49, 25));
  EXPECT_EQ(Rect(e.DDMBitBtn5), QRect(448, 288, 49, 25));
  EXPECT_EQ(e.DDMBitBtn1->Caption(), QStringLiteral("|<"));
  EXPECT_EQ(e.DDMBitBtn5->Caption(), QStringLiteral(">|"));
  EXPECT_EQ(e.DDMBitBtn1->TransparentColor(), clBlack);
  EXPECT_EQ(e.DDMBitBtn5->TransparentColor(), clWhite);
  for (const TDDMBitBtn* b : {e.DDMBitBtn1, e.DDMBitBtn5}) {
    EXPECT_TRUE(b->ShowCaption());
    EXPECT_TRUE(b->Transparent());
    EXPECT_EQ(b->Layout(), TButtonLayout::blGlyphTop);
    EXPECT_EQ(b->Spacing(), 4);
    EXPECT_TRUE(b->Font().Bold());
  }
  EXPECT_EQ(e.Timer1->Interval(), 3000);
}

TEST_F(AudioEditorLayout, ShownBeforeAnyFileWasReadAndSavedFails) {
  Editor().Timer1->SetEnabled(true);
  Editor().Show();
  Tmp3tools& e = Editor();
  EXPECT_TRUE(e.isVisible());
  for (const TTagEdit* box : {e.title, e.artist, e.album, e.comments, e.year}) {
    EXPECT_TRUE(box->text().isEmpty()) << box->objectName().toStdString();
  }
  EXPECT_EQ(e.genre->text(), QStringLiteral("Blues"));
  EXPECT_EQ(e.track->text(), QStringLiteral("0"));
  EXPECT_TRUE(e.Label9->Caption().isEmpty());
  EXPECT_FALSE(e.Timer1->Enabled());
  EXPECT_TRUE(messages_.texts.empty());

  e.dxButton1->Click();
  ASSERT_EQ(messages_.texts.size(), 1u);
  EXPECT_EQ(messages_.texts[0], "Cannot open file ");
  EXPECT_FALSE(Main().Timer2->Enabled());
}

TEST_F(AudioEditorLayout, RefreshShowsWhatTheTagHoldsNowWithoutReadingAgain) {
  const std::string path = AddFile("a.mp3", Block().Title("Old").Artist("Band").Bytes());
  Main().mp31->SetFileName(path);
  Main().mp3Tag1->ReadFromFile(path);
  Editor().Show();
  EXPECT_EQ(Editor().title->text(), QStringLiteral("Old"));
  EXPECT_EQ(Editor().Label9->Caption(), QString::fromStdString(path));
  EXPECT_EQ(Editor().ShownPath(), path);

  Main().mp3Tag1->SetTitle("Set meanwhile");
  Main().mp3Tag1->SetTrack(9);
  Editor().title->setText(QStringLiteral("typed"));
  Editor().dxButton3->Click();
  EXPECT_EQ(Editor().title->text(), QStringLiteral("Set meanwhile"));
  EXPECT_EQ(Editor().artist->text(), QStringLiteral("Band"));
  EXPECT_EQ(Editor().track->text(), QStringLiteral("9"));
}

TEST_F(AudioEditorLayout, CloseHidesAndKeepsTheTexts) {
  Editor().Show();
  Editor().title->setText(QStringLiteral("kept"));
  Editor().dxButton2->Click();
  EXPECT_FALSE(Editor().isVisible());
  EXPECT_EQ(Editor().title->text(), QStringLiteral("kept"));
}

TEST_F(AudioEditorLayout, TagTextIsShownAsWindows1252) {
  // 0xE9 is e-acute and 0x80 the euro sign in Windows-1252.
  const std::string path = AddFile("a.mp3", Block().Title("Caf\xE9 \x80").Bytes());
  Main().mp31->SetFileName(path);
  Main().mp3Tag1->ReadFromFile(path);
  Editor().Show();
  EXPECT_EQ(Editor().title->text(), QString::fromUtf8("Caf\u00e9 \u20ac"));
}

}  // namespace
}  // namespace qrv::test
