#pragma once

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>

#include "app/elapsed_since.h"
#include "runtime/form.h"

namespace qrv {

class TActionMainMenuBar;
class TDDMBitBtn;
class TFileListBox;
class TGauge;
class TImage;
class TLabel;
class TMenuAction;
class TOrbPlayer;
class TRichBuffer;
class TTrackBar;
class Timer;
class Tmp3Tag;

// The main window: the playlist, the transport, the time display and the menu. It owns the
// player, the tag component and the playlist through which the whole program plays; the other
// windows act on them through the global instance.
class TForm1 : public TForm {
  Q_OBJECT

 public:
  // The fixed files of the data folder that this window reads and writes.
  static constexpr const char* kLastListPath = "c:\\qrv30\\last.lst";
  static constexpr const char* kStartBitmapPath = "c:\\qrv30\\start.bmp";
  static constexpr const char* kStandardBitmapPath = "c:\\qrv30\\backgrounds\\standar.bmp";
  static constexpr const char* kPlaylistMask = "*.mp?;*.wav;*.wave";
  // The step of "<<" and ">>" in milliseconds, and the period of the end-of-medium poll.
  static constexpr int kSkipStep = 2100;
  static constexpr int kAdvancePeriod = 6500;
  static constexpr int kRestoreDelay = 5000;
  // The display timer follows a playing medium as closely as the timers allow, waking when the
  // shown time or gauge next changes (at most kLongestPlayingWait later, which a playing
  // position never needs: the next second is closer); while nothing plays
  // the position only moves through the user's own actions, which wake it up again. For a
  // moment after each command it still looks now and then, since the device may start or finish
  // a seek by itself just after; then it looks only once in a long while.
  static constexpr int kDisplayPeriod = 1;
  static constexpr int kLongestPlayingWait = 1100;
  static constexpr int kEarlyFireShare = 16;
  static constexpr int kRestingDisplayPeriod = 250;
  static constexpr int kSettleAfterCommand = 2000;
  static constexpr int kIdleDisplayPeriod = 10000;
  // The transport keeps its state in two captions, compared whole: `pause1` offers to resume
  // after the user paused, `seek1` offers to resume in seek mode.
  static constexpr const char* kPauseCaption = "Pause";
  static constexpr const char* kResumeCaption = "Resume";
  static constexpr const char* kSeekCaption = "Seek";

  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Controls, in stacking order.
  TImage* Image1 = nullptr;
  TImage* Image2 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image4 = nullptr;
  TImage* back1 = nullptr;
  TImage* Image6 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* title1 = nullptr;
  TGauge* Gauge1 = nullptr;
  TImage* Image7 = nullptr;
  TImage* Image8 = nullptr;
  TImage* Image9 = nullptr;
  TImage* Image10 = nullptr;
  TImage* Image11 = nullptr;
  TImage* Image12 = nullptr;
  TImage* Image13 = nullptr;
  TImage* Image14 = nullptr;
  TLabel* Label3 = nullptr;
  TDDMBitBtn* DDMBitBtn1 = nullptr;
  TDDMBitBtn* DDMBitBtn2 = nullptr;
  TDDMBitBtn* seek1 = nullptr;
  TDDMBitBtn* DDMBitBtn4 = nullptr;
  TDDMBitBtn* DDMBitBtn5 = nullptr;
  TDDMBitBtn* DDMBitBtn6 = nullptr;
  TDDMBitBtn* pause1 = nullptr;
  TLabel* Label6 = nullptr;
  TImage* Image15 = nullptr;
  TImage* Image16 = nullptr;
  TImage* Image17 = nullptr;
  TImage* Image18 = nullptr;
  TImage* Image19 = nullptr;
  TLabel* ch1 = nullptr;
  TLabel* Artist1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* time1 = nullptr;
  TImage* Image5 = nullptr;
  TImage* Image20 = nullptr;
  TImage* Image21 = nullptr;
  TFileListBox* playlist1 = nullptr;
  TActionMainMenuBar* ActionMainMenuBar1 = nullptr;
  TTrackBar* TrackBar1 = nullptr;
  TRichBuffer* Rich1 = nullptr;
  TOrbPlayer* mp31 = nullptr;

  // Non-visual members.
  QObject* ActionManager1 = nullptr;
  TMenuAction* fileopen1 = nullptr;
  TMenuAction* FileExit1 = nullptr;
  TMenuAction* newlist = nullptr;
  TMenuAction* openlist = nullptr;
  TMenuAction* savelist = nullptr;
  TMenuAction* cback1 = nullptr;
  TMenuAction* cdpl = nullptr;
  TMenuAction* mp3edit1 = nullptr;
  TMenuAction* about1 = nullptr;
  TMenuAction* help1 = nullptr;
  Timer* Timer1 = nullptr;
  Timer* Timer2 = nullptr;
  Timer* Timer3 = nullptr;
  Tmp3Tag* mp3Tag1 = nullptr;

  // Start-up, display and shutdown.
  void Timer1Timer(QObject* sender);
  void Timer3Timer(QObject* sender);

  // The transport.
  void DDMBitBtn6Click(QObject* sender);
  void pause1Click(QObject* sender);
  void DDMBitBtn2Click(QObject* sender);
  void DDMBitBtn4Click(QObject* sender);
  void DDMBitBtn1Click(QObject* sender);
  void DDMBitBtn5Click(QObject* sender);
  void seek1Click(QObject* sender);
  void TrackBar1Change(QObject* sender);
  void Timer2Timer(QObject* sender);
  void playlist1Click(QObject* sender);

  // Menu commands.
  void fileopen1Execute(QObject* sender);
  void newlistExecute(QObject* sender);
  void openlistExecute(QObject* sender);
  void savelistExecute(QObject* sender);
  void cback1Execute(QObject* sender);
  void cdplExecute(QObject* sender);
  void mp3edit1Execute(QObject* sender);
  void about1Execute(QObject* sender);
  void help1Execute(QObject* sender);

  // The transport's mode, read from the captions that hold it.
  bool Paused() const;
  bool InSeekMode() const;
  // The transport's transitions. Only these write the captions and switch the automatic advance
  // (Timer2) on or off; each announces TransportChanged.
  // After an item was chosen or advanced to: seek mode left (track bar hidden), not paused, all
  // seven buttons enabled; the automatic advance is left as it is.
  void ResetTransportControls();
  // After a dialog chose a new playlist or loaded a single file: all seven buttons enabled,
  // captions out of seek mode and not paused, the automatic advance off. The track bar keeps
  // its visibility, so a dialog used in seek mode leaves it shown.
  void ResetTransportAsAtStart();
  // A new start of playback: the pause button offers to pause again.
  void ClearPause();
  // The automatic advance off, the controls as they are: before the open-file window reads its
  // file (so a file that cannot be read leaves it off), before a seek or seek mode, and while
  // the audio editor writes a tag. When the player has let go of the file for the write, the
  // advance stays off until the user starts something again.
  void DisarmAdvance();
  // The automatic advance armed, its period started afresh even if it was on: after an item was
  // chosen, after a skip, and once the audio editor's write to another file is done and the
  // playing file plays on.
  void ArmAdvance();
  // Shows the tag just read for a path: its title and artist, or the path's file name as title
  // when the title is empty or exactly "<TAG>".
  void ShowTrackInfo(const std::string& path);
  void StartPlayback();
  // The step of "<<" and ">>" with any step; remote controls seek through it.
  void SkipBy(int delta);

  // Loads one file into the player as the open-file window's "Ok" does: the advance off, the
  // tag and the medium read, title and artist shown, the transport as at start-up. It does not
  // play.
  void LoadFile(const std::string& path);
  // A file or folder handed in from outside (command line, drop, session bus). The playlist
  // moves to its folder; a file there is played as a click on it plays it, one the playlist
  // does not list as the open-file window loads it, followed by "Play". Throws on failure.
  void OpenHanded(const struct HandedPath& handed);
  // Play from a remote control: with a medium open the "Play" button, with none the playlist's
  // selected (or first) item as a click on it; with an empty playlist nothing.
  void PlayRemotely();
  // The user chose a playlist folder or a file; from now on "last.lst" is written at close.
  void PlaylistChosen() { keep_stored_list_ = false; }

 signals:
  // The window has closed; since it is the main window, the program ends.
  void Closed();
  // A transition changed the transport's captions, buttons, track bar or automatic advance (the
  // handler that made it may still be commanding the player), the restore cleared the title, or
  // the player changed by itself: its medium played to its end, playback failed, or a later
  // command cut a play short.
  void TransportChanged();

 protected:
  void FormCreate() override;
  void FormShow() override;
  void FormClose(CloseAction& action) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateDecoration();
  void CreateTransport();
  void CreateLabels();
  void CreateWindowedControls();
  void CreateMenu();
  void CreateTimers();
  void TrackStart();
  void StepItem(int delta);
  // The six buttons that seek mode disables; seek1 is not among them.
  void SetStepButtonsEnabled(bool enabled);
  // Enables the seven transport buttons, in their fixed order.
  void EnableTransportButtons();
  void SetPauseCaption(const char* caption);
  void SetSeekCaption(const char* caption);
  // The halves of the pause button and of seek mode; the player is commanded between them, and
  // a command that fails leaves the transport half changed, as the user then sees it.
  void MarkPaused();
  void MarkResumed();
  void ShowSeekMode();
  void HideSeekMode();
  void EnableAfterSeekMode();
  // Sets the display timer's period for a playing or a resting medium.
  void PaceDisplay(bool playing);
  void FollowPosition(bool playing, int64_t position);

  // Points the playlist at a folder handed in, and fails when the list could not enter it.
  void EnterChosenFolder(const std::string& folder);
  // Whether the restore brought the list to the folder that "last.lst" names.
  bool RestoredStoredFolder(const std::string& line);

  QString time_separator_;
  // While the stored playlist folder was not restored (not yet, or it could not be entered) and
  // the user chose no folder, closing leaves "last.lst" as it is.
  bool keep_stored_list_ = false;
  // A file or folder was handed in: the restore leaves the playlist and the title alone.
  bool handed_ = false;
  // The whole second the time display shows now.
  int64_t shown_second_ = 0;
  ElapsedSince since_command_;  // since the player was last commanded; not started before
};

extern TForm1* Form1;

}  // namespace qrv
