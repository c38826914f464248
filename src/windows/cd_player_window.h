#pragma once

#include <QObject>

#include "runtime/form.h"

namespace qrv {

class TDDMBitBtn;
class TImage;
class TLabel;
class TOrbPlayer;
class Timer;

// Plays an audio CD through its own media player, opened on the CD audio device. The window
// keeps no state beyond its controls: the caption of `pause1` says whether its next press pauses
// or resumes, and the disc's state lives in `cdplayer1`.
class Tcdplayer : public TForm {
  Q_OBJECT

 public:
  // The captions of `pause1`, compared whole. They read as the main window's pause button does,
  // but belong to this window's own player: neither window's button follows the other.
  static constexpr const char* kPauseCaption = "Pause";
  static constexpr const char* kResumeCaption = "Resume";

  explicit Tcdplayer(QWidget* parent = nullptr);
  ~Tcdplayer() override;

  // Controls, in stacking order.
  TImage* Image1 = nullptr;
  TImage* Image14 = nullptr;
  TDDMBitBtn* DDMBitBtn2 = nullptr;
  TDDMBitBtn* DDMBitBtn4 = nullptr;
  TDDMBitBtn* DDMBitBtn6 = nullptr;
  TDDMBitBtn* pause1 = nullptr;
  TImage* Image12 = nullptr;
  TImage* Image2 = nullptr;
  TImage* Image10 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image11 = nullptr;
  TImage* Image8 = nullptr;
  TImage* Image7 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TDDMBitBtn* DDMBitBtn1 = nullptr;
  TDDMBitBtn* DDMBitBtn3 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TOrbPlayer* cdplayer1 = nullptr;
  Timer* Timer1 = nullptr;

  void DDMBitBtn1Click(QObject* sender);
  void DDMBitBtn6Click(QObject* sender);
  void pause1Click(QObject* sender);
  void DDMBitBtn3Click(QObject* sender);
  void DDMBitBtn4Click(QObject* sender);
  void DDMBitBtn2Click(QObject* sender);
  void Timer1Timer(QObject* sender);

 protected:
  void FormShow() override;
  // The track display ticks only while the window can be seen; it is brought up to date the
  // moment the window appears, minimised windows included.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateDecoration();
  void CreateButtons();
  void CreateLabels();
  void CreatePlayer();
};

extern Tcdplayer* cdplayer;

}  // namespace qrv
