#pragma once

#include <QComboBox>
#include <functional>
#include <string>
#include <vector>

#include "list_icons.h"

namespace qrv {

enum class TTextCase { tcLowerCase, tcUpperCase };

// One entry of the drive chooser.
struct DriveEntry {
  char letter;       // Lower case.
  std::string text;  // "c: [system]", "a:", "n: \\server\share".
  ListIcon icon;
};

// The entries for the drives of the table that are of a listed kind, in letter order.
std::vector<DriveEntry> BuildDriveEntries(TTextCase text_case);

// The drive chooser: a drop-down list of the machine's drives.
class TDriveComboBox : public QComboBox {
 public:
  using Notify = std::function<void()>;

  explicit TDriveComboBox(QWidget* parent = nullptr);

  // The chosen drive letter in lower case, or 0 for none.
  char Drive() const { return drive_; }
  void SetDrive(char letter);
  TTextCase TextCase() const { return text_case_; }
  void SetTextCase(TTextCase text_case);

  void SetOnChange(Notify handler) { on_change_ = std::move(handler); }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void BuildEntries();
  void UserChose(int index);

  char drive_ = 0;
  TTextCase text_case_ = TTextCase::tcLowerCase;
  bool built_ = false;
  bool setting_ = false;  // The program is moving the selection itself.
  Notify on_change_;
};

}  // namespace qrv
