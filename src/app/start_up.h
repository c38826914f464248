#pragma once

#include <memory>

namespace qrv {

class TForm1;

// The eleven windows of the program, created once in their fixed order and destroyed together,
// in reverse order, when this goes. Each is reached through its global instance.
class ApplicationWindows {
 public:
  // Sets the application title, then creates the windows: the main window first, shown at the
  // end of its own creation, then the others, hidden.
  ApplicationWindows();
  ~ApplicationWindows();
  ApplicationWindows(const ApplicationWindows&) = delete;
  ApplicationWindows& operator=(const ApplicationWindows&) = delete;

  TForm1& MainForm() const;

 private:
  struct Windows;
  std::unique_ptr<Windows> windows_;
};

}  // namespace qrv
