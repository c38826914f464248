#pragma once

#include <QObject>
#include <cstdint>
#include <string>

#include "runtime/form.h"

class QGroupBox;

namespace qrv {

class TDDMBitBtn;
class TForm1;
class TLabel;
class TTagEdit;
class TdxButton;
class Timer;

// Edits the ID3v1 tag of the file the main window plays. It has no tag of its own: it shows and
// changes what the main window's tag component holds, takes the file from the main window's
// player, and its step buttons move the main window's playlist.
class Tmp3tools : public TForm {
  Q_OBJECT

 public:
  explicit Tmp3tools(QWidget* parent = nullptr);
  ~Tmp3tools() override;

  // Controls, in tab order where they take the focus.
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* Label3 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TLabel* Label6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TTagEdit* title = nullptr;
  TTagEdit* artist = nullptr;
  TTagEdit* album = nullptr;
  TTagEdit* genre = nullptr;
  TTagEdit* comments = nullptr;
  TTagEdit* year = nullptr;
  TTagEdit* track = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  TdxButton* dxButton1 = nullptr;
  TdxButton* dxButton2 = nullptr;
  TdxButton* dxButton3 = nullptr;
  TDDMBitBtn* DDMBitBtn1 = nullptr;
  TDDMBitBtn* DDMBitBtn5 = nullptr;
  Timer* Timer1 = nullptr;

  // The path of the file the shown values belong to, exactly as the player named it: the
  // target of Save. Label9 shows it.
  const std::string& ShownPath() const { return shown_path_; }

  void dxButton1Click(QObject* sender);
  void dxButton2Click(QObject* sender);
  void dxButton3Click(QObject* sender);
  void DDMBitBtn1Click(QObject* sender);
  void DDMBitBtn5Click(QObject* sender);

 protected:
  void FormShow() override;

 private:
  void CreateLabels();
  void CreateEditBoxes();
  void CreateButtons();

  // Shows what the main window's tag component holds now, and the player's file.
  void FillFields();
  // Hands the boxes to the tag component through its setters; the track number has been
  // converted (and so checked) before anything was changed.
  void StoreFields(int32_t track_number);
  void StepPlaylist(int delta);
  void SetShownPath(const std::string& path);

  std::string shown_path_;
};

extern Tmp3tools* mp3tools;

}  // namespace qrv
