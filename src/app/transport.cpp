// The transport: play, pause and resume, skipping, previous and next item, seek mode, the
// choice of an item in the playlist and the automatic advance. Its state lives in the controls
// (button captions, the track bar's visibility, Timer2's enabled flag), and every handler reads
// it back from there.
#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "main_window.h"
#include "playlists/file_list_box.h"
#include "runtime/paths.h"
#include "runtime/timer.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/track_bar.h"
#include "tags/cp1252.h"
#include "tags/mp3_tag.h"

namespace qrv {
namespace {

const QString kPause = QStringLiteral("Pause");
const QString kResume = QStringLiteral("Resume");
const QString kSeek = QStringLiteral("Seek");

}  // namespace

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
  seek1->SetCaption(kSeek);
  TrackBar1->hide();
  pause1->SetCaption(kPause);
  EnableTransportButtons();
}

void TForm1::ShowTrackInfo(const std::string& path) {
  // Tag text is Windows-1252; a file name is the path's own 8-bit text. The label is set once,
  // to what it ends up showing.
  const std::string& title = mp3Tag1->Title();
  title1->SetCaption(title.empty() || title == "<TAG>"
                         ? QString::fromStdString(ExtractFileName(path))
                         : Cp1252ToQString(title));
  Artist1->SetCaption(Cp1252ToQString(mp3Tag1->Artist()));
}

void TForm1::StartPlayback() {
  Gauge1->SetMaxValue(mp31->Length());
  mp31->Play();
  ch1->SetCaption(QString::fromStdString(ExtractFileExt(mp31->FileName())));
}

void TForm1::TrackStart() {
  const std::string path = playlist1->SelectedPath();
  mp31->SetFileName(path);
  mp31->Open();
  mp3Tag1->ReadFromFile(path);
  ShowTrackInfo(path);
  StartPlayback();
}

void TForm1::DDMBitBtn6Click(QObject*) {
  Gauge1->SetMaxValue(mp31->Length());
  mp31->Play();
  pause1->SetCaption(kPause);
  ch1->SetCaption(QString::fromStdString(ExtractFileExt(mp31->FileName())));
}

void TForm1::pause1Click(QObject*) {
  if (pause1->Caption() == kPause) {
    mp31->Pause();
    Timer2->SetEnabled(false);
    pause1->SetCaption(kResume);
  } else {
    pause1->SetCaption(kPause);
    Timer2->SetEnabled(true);
    mp31->Resume();
    mp31->Play();
  }
}

void TForm1::SkipBy(int delta) {
  Timer2->SetEnabled(false);
  // Not clamped: the device refuses a target outside the medium and stays where it is, so the
  // Play below simply lets playback go on.
  mp31->SetPosition(mp31->Position() + delta);
  Timer2->SetEnabled(true);
  mp31->Play();
  pause1->SetCaption(kPause);
}

void TForm1::DDMBitBtn2Click(QObject*) {
  SkipBy(-kSkipStep);
}
void TForm1::DDMBitBtn4Click(QObject*) {
  SkipBy(kSkipStep);
}

void TForm1::StepItem(int delta) {
  pause1->SetCaption(kPause);
  mp31->Stop();
  // No bound test: the list ignores an index past either end, except -1, which clears it.
  playlist1->SetItemIndex(playlist1->ItemIndex() + delta);
  TrackStart();
}

void TForm1::DDMBitBtn1Click(QObject*) {
  StepItem(-1);
}
void TForm1::DDMBitBtn5Click(QObject*) {
  StepItem(1);
}

void TForm1::seek1Click(QObject*) {
  if (seek1->Caption() == kSeek) {
    Timer2->SetEnabled(false);
    mp31->Pause();
    TrackBar1->show();
    TrackBar1->SetMax(mp31->Length());
    TrackBar1->SetPosition(mp31->Position());
    seek1->SetCaption(kResume);
    SetStepButtonsEnabled(false);
  } else if (seek1->Caption() == kResume) {
    TrackBar1->hide();
    seek1->SetCaption(kSeek);
    pause1->SetCaption(kPause);
    mp31->Resume();
    mp31->Play();
    SetStepButtonsEnabled(true);
    Timer2->SetEnabled(true);
  }
}

void TForm1::TrackBar1Change(QObject*) {
  mp31->SetPosition(TrackBar1->Position());
}

void TForm1::Timer2Timer(QObject*) {
  // With nothing open every poll would fail with the same "No MCI device open". The first such
  // poll reports it; later ones stay silent until a medium is open again, so the user is told
  // once instead of every 6.5 seconds.
  if (!mp31->DeviceOpen()) {
    if (idle_poll_reported_) return;
    idle_poll_reported_ = true;
  } else {
    idle_poll_reported_ = false;
  }
  if (mp31->Position() != mp31->Length()) return;
  ResetTransportControls();
  mp31->Stop();
  playlist1->SetItemIndex(playlist1->ItemIndex() + 1);
  TrackStart();
}

void TForm1::playlist1Click(QObject*) {
  Timer2->SetEnabled(true);
  ResetTransportControls();
  const std::string path = playlist1->SelectedPath();
  mp31->SetFileName(path);
  mp3Tag1->ReadFromFile(path);
  mp31->Open();
  ShowTrackInfo(path);
  StartPlayback();
}

}  // namespace qrv
