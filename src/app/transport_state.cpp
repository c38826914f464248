// The transport's state and its transitions. The state stays in the controls, where the user
// sees it: the captions of pause1 and seek1, the buttons' enabled flags, the track bar's
// visibility and Timer2. Only the functions here write the captions or switch Timer2 (apart from
// its creation and the shutdown, which stop every timer), and each announces the change, so that
// whoever mirrors the transport (the desktop's media controls) need not poll.
#include "controls/bit_btn.h"
#include "main_window.h"
#include "runtime/timer.h"
#include "runtime/widgets/track_bar.h"

namespace qrv {

bool TForm1::Paused() const {
  return pause1->Caption() == QLatin1String(kResumeCaption);
}

bool TForm1::InSeekMode() const {
  return seek1->Caption() == QLatin1String(kResumeCaption);
}

void TForm1::SetPauseCaption(const char* caption) {
  pause1->SetCaption(QString::fromLatin1(caption));
}

void TForm1::SetSeekCaption(const char* caption) {
  seek1->SetCaption(QString::fromLatin1(caption));
}

void TForm1::SetStepButtonsEnabled(bool enabled) {
  for (TDDMBitBtn* button : {DDMBitBtn1, DDMBitBtn2, DDMBitBtn4, DDMBitBtn5, DDMBitBtn6, pause1}) {
    button->SetEnabled(enabled);
  }
}

void TForm1::EnableTransportButtons() {
  SetStepButtonsEnabled(true);
  seek1->SetEnabled(true);
}

void TForm1::ResetTransportControls() {
  SetSeekCaption(kSeekCaption);
  TrackBar1->hide();
  SetPauseCaption(kPauseCaption);
  EnableTransportButtons();
  emit TransportChanged();
}

void TForm1::ResetTransportAsAtStart() {
  EnableTransportButtons();
  SetSeekCaption(kSeekCaption);
  SetPauseCaption(kPauseCaption);
  Timer2->SetEnabled(false);
  emit TransportChanged();
}

void TForm1::DisarmAdvance() {
  Timer2->SetEnabled(false);
  emit TransportChanged();
}

void TForm1::ArmAdvance() {
  Timer2->SetEnabled(true);
  emit TransportChanged();
}

void TForm1::ClearPause() {
  SetPauseCaption(kPauseCaption);
  emit TransportChanged();
}

void TForm1::MarkPaused() {
  Timer2->SetEnabled(false);
  SetPauseCaption(kResumeCaption);
  emit TransportChanged();
}

void TForm1::MarkResumed() {
  SetPauseCaption(kPauseCaption);
  Timer2->SetEnabled(true);
  emit TransportChanged();
}

void TForm1::ShowSeekMode() {
  SetSeekCaption(kResumeCaption);
  SetStepButtonsEnabled(false);
  emit TransportChanged();
}

void TForm1::HideSeekMode() {
  TrackBar1->hide();
  SetSeekCaption(kSeekCaption);
  SetPauseCaption(kPauseCaption);
  emit TransportChanged();
}

void TForm1::EnableAfterSeekMode() {
  SetStepButtonsEnabled(true);
  Timer2->SetEnabled(true);
  emit TransportChanged();
}

}  // namespace qrv
