// The CD window's controls, created in their stacking order: later controls lie over earlier ones.
#include "cd_player_window.h"
#include "controls/bit_btn.h"
#include "controls/color.h"
#include "engine/orb_player.h"
#include "layout_parts.h"
#include "runtime/fonts.h"
#include "runtime/timer.h"
#include "runtime/widgets/picture.h"

namespace qrv {

void Tcdplayer::CreateDecoration() {
  Image1 = Place(new TImage(this), {0, 0, 329, 233});
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setAccessibleName(QStringLiteral("Background"));
  Image1->SetFit(PictureFit::Stretch);
  Image1->SetTransparent(true);
  Image14 = DecorativeLine(this, "Image14", {56, 223, 225, 1}, LineDirection::kHorizontal);
}

void Tcdplayer::CreateButtons() {
  DDMBitBtn2 = CaptionButton(this, "DDMBitBtn2", {72, 197, 33, 25}, QStringLiteral("|<<"), 13,
                             false, clBlack, "Previous track");
  DDMBitBtn4 = CaptionButton(this, "DDMBitBtn4", {224, 197, 33, 25}, QStringLiteral(">>|"), 13,
                             false, clWhite, "Next track");
  DDMBitBtn6 = CaptionButton(this, "DDMBitBtn6", {104, 152, 41, 33}, QStringLiteral("Play"), 13,
                             true, clWhite, "Play the CD");
  pause1 = CaptionButton(this, "pause1", {176, 152, 57, 33}, QString::fromLatin1(kPauseCaption), 13,
                         true, clWhite,
                         {{kPauseCaption, "Pause playback"}, {kResumeCaption, "Resume playback"}});
  // The outline around the buttons: along the top, down both sides of Play and Pause, outwards
  // along y 192 and down to the bottom line.
  Image12 = DecorativeLine(this, "Image12", {280, 192, 1, 30}, LineDirection::kVertical);
  Image2 = DecorativeLine(this, "Image2", {56, 192, 1, 30}, LineDirection::kVertical);
  Image10 = DecorativeLine(this, "Image10", {56, 192, 41, 1}, LineDirection::kHorizontal);
  Image3 = DecorativeLine(this, "Image3", {240, 192, 41, 1}, LineDirection::kHorizontal);
  Image11 = DecorativeLine(this, "Image11", {96, 144, 1, 49}, LineDirection::kVertical);
  Image8 = DecorativeLine(this, "Image8", {240, 144, 1, 49}, LineDirection::kVertical);
  Image7 = DecorativeLine(this, "Image7", {96, 144, 145, 1}, LineDirection::kHorizontal);

  DDMBitBtn2->SetOnClick([this](QObject* sender) { DDMBitBtn2Click(sender); });
  DDMBitBtn4->SetOnClick([this](QObject* sender) { DDMBitBtn4Click(sender); });
  DDMBitBtn6->SetOnClick([this](QObject* sender) { DDMBitBtn6Click(sender); });
  pause1->SetOnClick([this](QObject* sender) { pause1Click(sender); });
}

void Tcdplayer::CreateLabels() {
  const QFont large = PixelFont("MS Sans Serif", 20);
  Label1 = LayoutLabel(this, "Label1", {176, 47, 81, 17}, LabelSizing::Fixed, large, QString());
  Label1->setAccessibleDescription(QStringLiteral("Number of tracks"));
  Label2 = LayoutLabel(this, "Label2", {88, 46, 71, 24}, LabelSizing::AutoSize, large,
                       QStringLiteral("Tracks  :"));
  DDMBitBtn1 = CaptionButton(this, "DDMBitBtn1", {104, 197, 57, 25}, QStringLiteral("Open"), 13,
                             true, clWhite, "Open the CD and count its tracks");
  DDMBitBtn3 = CaptionButton(this, "DDMBitBtn3", {168, 197, 57, 25}, QStringLiteral("Stop"), 13,
                             true, clWhite, "Stop the CD");
  Label3 = LayoutLabel(this, "Label3", {176, 72, 89, 25}, LabelSizing::Fixed, large, QString());
  Label3->setAccessibleDescription(QStringLiteral("Track number"));
  Label4 = LayoutLabel(this, "Label4", {86, 72, 74, 24}, LabelSizing::AutoSize, large,
                       QStringLiteral("Track nr:"));

  DDMBitBtn1->SetOnClick([this](QObject* sender) { DDMBitBtn1Click(sender); });
  DDMBitBtn3->SetOnClick([this](QObject* sender) { DDMBitBtn3Click(sender); });
}

void Tcdplayer::CreatePlayer() {
  cdplayer1 = Place(new TOrbPlayer(this), {248, 8, 29, 20});
  cdplayer1->setObjectName(QStringLiteral("cdplayer1"));
  cdplayer1->SetDeviceType(TMPDeviceTypes::dtCDAudio);
  cdplayer1->SetVisibleButtons(TButtonSet{TMPBtnType::btPlay});
  cdplayer1->SetMediaFileIndex(-1);
  cdplayer1->SetVisible(false);

  // The track display ticks while the window is shown (see showEvent); a hidden window costs
  // no wake-ups.
  Timer1 = new Timer(this);
  Timer1->SetEnabled(false);
  Timer1->SetInterval(1000);
  Timer1->SetOnTimer([this] { Timer1Timer(Timer1); });
}

}  // namespace qrv
