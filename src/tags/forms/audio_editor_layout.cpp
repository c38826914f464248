// The audio editor's controls, as its layout places them: the captions on the left, the edit
// boxes beside them, the three flat buttons in their group box and the two step buttons below.
#include <QGroupBox>

#include "audio_editor_window.h"
#include "controls/bit_btn.h"
#include "controls/color.h"
#include "controls/dx_button.h"
#include "controls/font.h"
#include "runtime/fonts.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "tag_edit.h"
#include "windows/layout_parts.h"

namespace qrv {
namespace {

constexpr int kEditHeight = 24;

TLabel* CaptionLabel(QWidget* parent, const char* name, int left, int top, const char* caption) {
  auto* label = PlaceAt(new TLabel(parent), left, top);
  label->setObjectName(QString::fromLatin1(name));
  label->SetCaption(QString::fromLatin1(caption));
  return label;
}

// The layout's fonts: the window's own (bold) and the plain one of the file label and buttons.
TFont ButtonFont() {
  return TFont::FromQFont(PixelFont("MS Sans Serif", 13), clBlue);
}

}  // namespace

void Tmp3tools::CreateLabels() {
  Label1 = CaptionLabel(this, "Label1", 48, 17, "Title:");
  Label2 = CaptionLabel(this, "Label2", 48, 57, "Artist:");
  Label3 = CaptionLabel(this, "Label3", 40, 97, "Album:");
  Label4 = CaptionLabel(this, "Label4", 40, 137, "Genre:");
  Label5 = CaptionLabel(this, "Label5", 8, 177, "Comments:");
  Label6 = CaptionLabel(this, "Label6", 48, 217, "Year:");
  Label7 = CaptionLabel(this, "Label7", 40, 257, "Track:");
  Label8 = CaptionLabel(this, "Label8", 16, 297, "FIlename:");

  // The file label keeps its size and clips a long path; it is the one plain label.
  Label9 = new TLabel(this);
  Label9->SetSizing(LabelSizing::Fixed);
  Place(Label9, {88, 296, 289, 17});
  Label9->setObjectName(QStringLiteral("Label9"));
  Label9->setFont(PixelFont("MS Sans Serif", 13));
  Label9->SetFontColor(Qt::blue);
  Label9->SetCaption(QStringLiteral("Filename"));
}

void Tmp3tools::CreateEditBoxes() {
  struct BoxSpec {
    TTagEdit** box;
    const char* name;
    Bounds bounds;
    const char* accessible_name;
  };
  const BoxSpec entries[] = {
      {&title, "title", {88, 16, 417, kEditHeight}, "Title"},
      {&artist, "artist", {88, 56, 417, kEditHeight}, "Artist"},
      {&album, "album", {88, 96, 417, kEditHeight}, "Album"},
      {&genre, "genre", {88, 136, 417, kEditHeight}, "Genre"},
      {&comments, "comments", {88, 176, 417, kEditHeight}, "Comments"},
      {&year, "year", {88, 216, 57, kEditHeight}, "Year"},
      {&track, "track", {88, 256, 57, kEditHeight}, "Track"},
  };
  QWidget* previous = nullptr;
  for (const auto& entry : entries) {
    auto* box = Place(new TTagEdit(this), entry.bounds);
    box->setObjectName(QString::fromLatin1(entry.name));
    // Before the first show each box holds its own name; every show replaces it.
    box->setText(QString::fromLatin1(entry.name));
    box->setAccessibleName(QString::fromLatin1(entry.accessible_name));
    if (previous) setTabOrder(previous, box);
    previous = box;
    *entry.box = box;
  }
}

void Tmp3tools::CreateButtons() {
  GroupBox1 = Place(new QGroupBox(this), {384, 208, 121, 73});
  GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

  struct FlatSpec {
    TdxButton** button;
    const char* name;
    int top;
    const char* caption;
    const char* description;
  };
  const FlatSpec flats[] = {
      {&dxButton1, "dxButton1", 16, "Save", "Save the tag to the file"},
      {&dxButton2, "dxButton2", 32, "Close", "Close the audio editor"},
      {&dxButton3, "dxButton3", 48, "Refresh", "Show the tag again"},
  };
  QWidget* previous = track;
  for (const auto& entry : flats) {
    auto* button = Place(new TdxButton(GroupBox1), {8, entry.top, 105, 17});
    button->setObjectName(QString::fromLatin1(entry.name));
    button->SetCaption(QString::fromLatin1(entry.caption));
    button->SetDescriptions(entry.description);
    button->SetFont(ButtonFont());
    setTabOrder(previous, button);
    previous = button;
    *entry.button = button;
  }
  dxButton1->SetOnClick([this](QObject* sender) { dxButton1Click(sender); });
  dxButton2->SetOnClick([this](QObject* sender) { dxButton2Click(sender); });
  dxButton3->SetOnClick([this](QObject* sender) { dxButton3Click(sender); });

  struct StepSpec {
    TDDMBitBtn** button;
    const char* name;
    int left;
    const char* caption;
    TColor transparent_color;
    const char* description;
  };
  const StepSpec steps[] = {
      {&DDMBitBtn1, "DDMBitBtn1", 392, "|<", clBlack, "Previous file: play it and show its tag"},
      {&DDMBitBtn5, "DDMBitBtn5", 448, ">|", clWhite, "Next file: play it and show its tag"},
  };
  // The step buttons take the window's font: bold blue.
  for (const auto& entry : steps) {
    *entry.button = CaptionButton(this, entry.name, {entry.left, 288, 49, 25},
                                  QString::fromLatin1(entry.caption), 13, true,
                                  entry.transparent_color, entry.description);
  }
  DDMBitBtn1->SetOnClick([this](QObject* sender) { DDMBitBtn1Click(sender); });
  DDMBitBtn5->SetOnClick([this](QObject* sender) { DDMBitBtn5Click(sender); });

  // Kept for its place in the layout: it has no tick action, so it never does anything.
  Timer1 = new Timer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->SetInterval(3000);
}

}  // namespace qrv
