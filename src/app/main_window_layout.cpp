// The main window's controls, created in their stacking order: later controls lie over earlier
// ones, and the windowed controls (list, menu bar, track bar, buffer, player) come last.
#include <functional>

#include "controls/bit_btn.h"
#include "controls/color.h"
#include "engine/orb_player.h"
#include "main_window.h"
#include "playlists/file_list_box.h"
#include "runtime/fonts.h"
#include "runtime/guard.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/menu_bar.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/rich_buffer.h"
#include "runtime/widgets/track_bar.h"
#include "runtime/widgets/window_style.h"
#include "tags/mp3_tag.h"
#include "windows/layout_parts.h"

namespace qrv {
namespace {

const QString kLineH = QStringLiteral(":/app/line_horizontal.jpg");
const QString kLineV = QStringLiteral(":/app/line_vertical.jpg");

// The strips and lines are drawn to fit whatever size the layout gives them.
TImage* Picture(QWidget* parent, const char* name, Bounds bounds, const QString& art) {
  return ArtPicture(parent, name, bounds, art, PictureFit::Stretch);
}

TLabel* AutoLabel(QWidget* parent, const char* name, int left, int top, const QFont& font,
                  const QString& caption) {
  return LayoutLabel(parent, name, {left, top, 0, 0}, LabelSizing::AutoSize, font, caption);
}

}  // namespace

void TForm1::CreateDecoration() {
  Image1 = Picture(this, "Image1", {1, 8, 7, 481}, QStringLiteral(":/app/frame_left.jpg"));
  Image2 = Picture(this, "Image2", {321, 8, 7, 481}, QStringLiteral(":/app/frame_right.jpg"));
  Image3 = Picture(this, "Image3", {0, 1, 329, 7}, QStringLiteral(":/app/frame_top.jpg"));
  Image4 = Picture(this, "Image4", {0, 489, 329, 7}, QStringLiteral(":/app/frame_bottom.jpg"));
  back1 = Place(new TImage(this), {8, 24, 313, 481});
  back1->setObjectName(QStringLiteral("back1"));
  back1->setAccessibleName(QStringLiteral("Background"));
  back1->SetFit(PictureFit::Stretch);
  back1->SetTransparent(true);
  Image6 = Picture(this, "Image6", {16, 264, 297, 1}, kLineH);
  Label1 = AutoLabel(this, "Label1", 120, 272, PixelFont("Lucida Console", 16, FontWeight::kBold),
                     QStringLiteral("Playlist"));
  title1 = LayoutLabel(this, "title1", {56, 36, 265, 19}, LabelSizing::Fixed,
                       PixelFont("Lucida Console", 13), QStringLiteral("Loading QRV3 Engine.."));
  Gauge1 = Place(new TGauge(this), {40, 96, 249, 17});
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->SetBackColor(Qt::black);
  Gauge1->SetForeColor(Qt::blue);
  Image7 = Picture(this, "Image7", {96, 144, 137, 1}, kLineH);
  Image8 = Picture(this, "Image8", {232, 144, 1, 49}, kLineV);
  Image9 = Picture(this, "Image9", {232, 192, 49, 1}, kLineH);
  Image10 = Picture(this, "Image10", {48, 192, 49, 1}, kLineH);
  Image11 = Picture(this, "Image11", {96, 144, 1, 49}, kLineV);
  Image12 = Picture(this, "Image12", {280, 192, 1, 49}, kLineV);
  Image13 = Picture(this, "Image13", {48, 192, 1, 49}, kLineV);
  Image14 = Picture(this, "Image14", {48, 240, 233, 1}, kLineH);
  Label3 = LayoutLabel(this, "Label3", {58, 472, 216, 13}, LabelSizing::Fixed,
                       PixelFont("MS Sans Serif", 11),
                       QStringLiteral("Quorvin Pro 3.0 - choose a file to play"));
  Label3->SetAlignment(LabelAlignment::Center);
}

void TForm1::CreateTransport() {
  struct ButtonLayout {
    TDDMBitBtn** button;
    const char* name;
    Bounds bounds;
    const char* caption;
    bool bold;
    TColor transparent_color;
    void (TForm1::*click)(QObject*);
    ButtonDescriptions description;
  };
  // clang-format off
  const ButtonLayout buttons[] = {
      {&DDMBitBtn1, "DDMBitBtn1", {56, 208, 25, 25}, "|<", true, clBlack,
       &TForm1::DDMBitBtn1Click, "Previous item"},
      {&DDMBitBtn2, "DDMBitBtn2", {88, 208, 25, 25}, "<<", false, clBlack,
       &TForm1::DDMBitBtn2Click, "Skip back 2.1 seconds"},
      {&seek1, "seek1", {128, 208, 65, 25}, kSeekCaption, false, clWhite, &TForm1::seek1Click,
       {{kSeekCaption, "Seek mode: the track bar moves the position"},
        {kResumeCaption, "Leave seek mode and play on from the track bar"}}},
      {&DDMBitBtn4, "DDMBitBtn4", {216, 208, 25, 25}, ">>", false, clWhite,
       &TForm1::DDMBitBtn4Click, "Skip forward 2.1 seconds"},
      {&DDMBitBtn5, "DDMBitBtn5", {248, 208, 25, 25}, ">|", true, clWhite,
       &TForm1::DDMBitBtn5Click, "Next item"},
      {&DDMBitBtn6, "DDMBitBtn6", {104, 152, 41, 33}, "Play", true, clWhite,
       &TForm1::DDMBitBtn6Click, "Play the open file"},
      {&pause1, "pause1", {168, 152, 57, 33}, kPauseCaption, true, clWhite, &TForm1::pause1Click,
       {{kPauseCaption, "Pause playback"}, {kResumeCaption, "Resume playback"}}},
  };
  // clang-format on
  for (const auto& entry : buttons) {
    *entry.button =
        CaptionButton(this, entry.name, entry.bounds, QString::fromLatin1(entry.caption), 13,
                      entry.bold, entry.transparent_color, entry.description);
    (*entry.button)->SetOnClick(std::bind_front(entry.click, this));
  }
}

void TForm1::CreateLabels() {
  const QFont small = PixelFont("MS Sans Serif", 11);
  Label6 = LayoutLabel(this, "Label6", {208, 248, 105, 13}, LabelSizing::Fixed, small, QString());
  Image15 = Picture(this, "Image15", {16, 248, 297, 1}, kLineH);
  Image16 = Picture(this, "Image16", {16, 248, 1, 17}, kLineV);
  Image17 = Picture(this, "Image17", {312, 248, 1, 17}, kLineV);
  Image18 = Picture(this, "Image18", {56, 248, 1, 17}, kLineV);
  Image19 = Picture(this, "Image19", {204, 248, 1, 17}, kLineV);
  ch1 = LayoutLabel(this, "ch1", {16, 248, 41, 13}, LabelSizing::Fixed,
                    PixelFont("MS Sans Serif", 11, FontWeight::kRegular, FontSlant::kItalic),
                    QString());
  Artist1 = LayoutLabel(this, "Artist1", {56, 60, 265, 19}, LabelSizing::Fixed,
                        PixelFont("Lucida Console", 13), QString());
  Label2 =
      AutoLabel(this, "Label2", 16, 34, PixelFont("MS Sans Serif", 13), QStringLiteral("Title:"));
  Label7 =
      AutoLabel(this, "Label7", 16, 58, PixelFont("MS Sans Serif", 13), QStringLiteral("Artist:"));
  Label4 =
      LayoutLabel(this, "Label4", {56, 248, 145, 17}, LabelSizing::Fixed,
                  PixelFont("Times New Roman", 11, FontWeight::kBold), QStringLiteral("Brisona 3"));
  Label4->SetAlignment(LabelAlignment::Center);
  time1 =
      LayoutLabel(this, "time1", {128, 128, 73, 16}, LabelSizing::Fixed,
                  PixelFont("MS Sans Serif", 13, FontWeight::kBold), QStringLiteral("00:00:00"));
  time1->SetAlignment(LabelAlignment::Center);
  Image5 = Picture(this, "Image5", {128, 128, 1, 17}, kLineV);
  Image20 = Picture(this, "Image20", {200, 128, 1, 17}, kLineV);
  Image21 = Picture(this, "Image21", {128, 128, 73, 1}, kLineH);
}

void TForm1::CreateWindowedControls() {
  playlist1 = Place(new TFileListBox(this), {40, 296, 249, 169});
  playlist1->setObjectName(QStringLiteral("playlist1"));
  playlist1->setAccessibleName(QStringLiteral("Playlist"));
  playlist1->SetMask(kPlaylistMask);
  playlist1->setFont(PixelFont("Lucida Console", 12));
  playlist1->SetItemHeight(12);
  SetColors(playlist1, Qt::black, Qt::blue);
  QPalette list_palette = playlist1->palette();
  list_palette.setColor(QPalette::Base, Qt::black);
  playlist1->setPalette(list_palette);
  // A flat border: one plain line instead of the sunken 3D frame.
  playlist1->setFrameShape(QFrame::Box);
  playlist1->setFrameShadow(QFrame::Plain);
  playlist1->setLineWidth(1);
  // The list reports user choices straight from its input handlers; the guard keeps an error of
  // the transport from reaching them.
  playlist1->SetOnClick([this] { Guard([this] { playlist1Click(playlist1); }); });

  ActionMainMenuBar1 = Place(new TActionMainMenuBar(this), {0, 0, 329, 25});
  ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));

  TrackBar1 = Place(new TTrackBar(this), {40, 96, 249, 25});
  TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
  TrackBar1->SetTickFrequency(1);
  TrackBar1->SetMax(10);
  TrackBar1->SetPosition(0);
  TrackBar1->hide();
  TrackBar1->SetOnChange([this] { TrackBar1Change(TrackBar1); });

  Rich1 = Place(new TRichBuffer(this), {40, 96, 249, 17});
  Rich1->setObjectName(QStringLiteral("Rich1"));

  mp31 = Place(new TOrbPlayer(this), {152, 64, 29, 25});
  mp31->setObjectName(QStringLiteral("mp31"));
  TButtonSet play_only;
  play_only.Include(TMPBtnType::btPlay);
  mp31->SetVisibleButtons(play_only);
  mp31->SetMediaFileIndex(-1);
  mp31->SetVisible(false);
  // The display rests while nothing plays; whatever window commands the player wakes it at once.
  connect(mp31, &TMediaPlayer::Commanded, this, [this] {
    since_command_.start();
    PaceDisplay(true);
  });
  // What the device does by itself (a medium played to its end, a failure) reaches the window
  // as a notification; it is announced as a transition is, so nobody needs to poll for it.
  connect(mp31, &TMediaPlayer::Notified, this, &TForm1::TransportChanged);
}

void TForm1::CreateTimers() {
  Timer1 = new Timer(this);
  Timer1->SetInterval(kDisplayPeriod);
  Timer1->SetOnTimer([this] { Timer1Timer(Timer1); });
  Timer1->SetEnabled(true);

  // The automatic advance is armed only once an item is chosen; until then the transport is idle.
  Timer2 = new Timer(this);
  Timer2->SetEnabled(false);
  Timer2->SetInterval(kAdvancePeriod);
  Timer2->SetOnTimer([this] { Timer2Timer(Timer2); });

  Timer3 = new Timer(this);
  Timer3->SetInterval(kRestoreDelay);
  Timer3->SetOnTimer([this] { Timer3Timer(Timer3); });
  Timer3->SetEnabled(true);

  mp3Tag1 = new Tmp3Tag(this);
}

}  // namespace qrv
