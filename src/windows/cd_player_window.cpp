#include "cd_player_window.h"

#include <string>

#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "main_background.h"
#include "runtime/fonts.h"
#include "runtime/guard.h"
#include "runtime/timer.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/picture.h"
#include "runtime/widgets/window_style.h"

namespace qrv {

Tcdplayer* cdplayer = nullptr;

namespace {

QString Decimal(int32_t value) {
  return QString::number(value);
}

}  // namespace

Tcdplayer::Tcdplayer(QWidget* parent) : TForm(parent) {
  SetCaption("Quorvin Cd Player");
  SetBorderStyle(FormBorderStyle::kSingle);
  SetBorderIcons(BorderIcons{.system_menu = true, .minimize = true, .maximize = false});
  SetPosition(FormPosition::kMainFormCenter);
  SetClientSize(330, 230);
  setFont(PixelFont("MS Sans Serif", 11));
  SetColors(this, Qt::black, Qt::blue);
  CreateDecoration();
  CreateButtons();
  CreateLabels();
  CreatePlayer();
  RunCreateHandler();
}

// The player closes its device as it goes, with the window.
Tcdplayer::~Tcdplayer() = default;

void Tcdplayer::FormShow() {
  // The window shows the main window's background as it stands at this moment.
  if (TImage* background = MainBackground()) Image1->SetPicture(background->Picture());
}

void Tcdplayer::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  Guard([this] { Timer1Timer(Timer1); });
  Timer1->SetEnabled(true);
}

void Tcdplayer::hideEvent(QHideEvent* event) {
  TForm::hideEvent(event);
  Timer1->SetEnabled(false);
}

void Tcdplayer::DDMBitBtn1Click(QObject*) {
  cdplayer1->Open();
  Label1->SetCaption(Decimal(cdplayer1->Tracks()));
}

void Tcdplayer::DDMBitBtn6Click(QObject*) {
  cdplayer1->Play();
  pause1->SetCaption(QString::fromLatin1(kPauseCaption));
}

void Tcdplayer::pause1Click(QObject*) {
  // The caption records what the next press does; the device's own pause toggles, so a press
  // of "Resume" always ends in Play, which also starts a stopped disc.
  if (pause1->Caption() == QLatin1String(kPauseCaption)) {
    cdplayer1->Pause();
    pause1->SetCaption(QString::fromLatin1(kResumeCaption));
  } else {
    pause1->SetCaption(QString::fromLatin1(kPauseCaption));
    cdplayer1->Resume();
    cdplayer1->Play();
  }
}

void Tcdplayer::DDMBitBtn3Click(QObject*) {
  cdplayer1->Stop();
}

void Tcdplayer::DDMBitBtn4Click(QObject*) {
  cdplayer1->Next();
}

void Tcdplayer::DDMBitBtn2Click(QObject*) {
  cdplayer1->Previous();
}

void Tcdplayer::Timer1Timer(QObject*) {
  // The start position of the last track jump made while playing, which in the disc's track
  // format is the number of that track.
  Label3->SetCaption(Decimal(cdplayer1->FromPosition()));
}

}  // namespace qrv
