// The transport: play, pause and resume, skipping, previous and next item, seek mode, the
// choice of an item in the playlist and the automatic advance. Its state lives in the controls
// (button captions, the track bar's visibility, Timer2's enabled flag); the handlers read it
// through Paused() and InSeekMode() and change it through the transitions in transport_state.cpp.
#include "controls/bit_btn.h"
#include "engine/orb_player.h"
#include "main_window.h"
#include "playlists/file_list_box.h"
#include "runtime/paths.h"
#include "runtime/widgets/gauge.h"
#include "runtime/widgets/label.h"
#include "runtime/widgets/track_bar.h"
#include "tags/cp1252.h"
#include "tags/mp3_tag.h"

namespace qrv {

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
  ClearPause();
  ch1->SetCaption(QString::fromStdString(ExtractFileExt(mp31->FileName())));
}

void TForm1::pause1Click(QObject*) {
  if (!Paused()) {
    mp31->Pause();
    MarkPaused();
  } else {
    MarkResumed();
    mp31->Resume();
    mp31->Play();
  }
}

void TForm1::SkipBy(int delta) {
  DisarmAdvance();
  // Not clamped: the device refuses a target outside the medium and stays where it is, so the
  // Play below simply lets playback go on.
  mp31->SetPosition(mp31->Position() + delta);
  ArmAdvance();
  mp31->Play();
  ClearPause();
}

void TForm1::DDMBitBtn2Click(QObject*) {
  SkipBy(-kSkipStep);
}
void TForm1::DDMBitBtn4Click(QObject*) {
  SkipBy(kSkipStep);
}

void TForm1::StepItem(int delta) {
  ClearPause();
  // With nothing open (an item that could not be opened) there is nothing to stop, and the step
  // goes past that item instead of failing on it.
  if (mp31->DeviceOpen()) mp31->Stop();
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
  if (!InSeekMode()) {
    DisarmAdvance();
    mp31->Pause();
    // Setting up the track bar seeks the device to where it stands (TrackBar1Change).
    TrackBar1->show();
    TrackBar1->SetMax(mp31->Length());
    TrackBar1->SetPosition(mp31->Position());
    ShowSeekMode();
  } else {
    HideSeekMode();
    mp31->Resume();
    mp31->Play();
    EnableAfterSeekMode();
  }
}

void TForm1::TrackBar1Change(QObject*) {
  mp31->SetPosition(TrackBar1->Position());
}

void TForm1::Timer2Timer(QObject*) {
  if (!mp31->DeviceOpen()) {
    // The item could not be opened; its error was shown when it failed. The advance goes on to
    // the next item instead of stopping the playlist. With nothing selected, or on the last
    // item, there is nowhere to go, and the poll stays silent rather than repeating the error.
    const int current = playlist1->ItemIndex();
    if (current < 0 || current + 1 >= playlist1->Count()) return;
    ResetTransportControls();
    playlist1->SetItemIndex(current + 1);
    TrackStart();
    return;
  }
  if (mp31->Position() != mp31->Length()) return;
  ResetTransportControls();
  mp31->Stop();
  playlist1->SetItemIndex(playlist1->ItemIndex() + 1);
  TrackStart();
}

void TForm1::playlist1Click(QObject*) {
  ArmAdvance();
  ResetTransportControls();
  const std::string path = playlist1->SelectedPath();
  mp31->SetFileName(path);
  mp3Tag1->ReadFromFile(path);
  mp31->Open();
  ShowTrackInfo(path);
  StartPlayback();
}

}  // namespace qrv
