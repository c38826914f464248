#pragma once

#include <QSlider>
#include <cstdint>
#include <exception>
#include <functional>

namespace qrv {

// A horizontal track bar. OnChange is raised only when the position really changes: by the user
// (drag, click beside the thumb, keys) and by the program, including a new maximum that pulls the
// position down. Setting the value it already has raises nothing.
class TTrackBar : public QSlider {
  Q_OBJECT

 public:
  explicit TTrackBar(QWidget* parent = nullptr);

  int Min() const { return minimum(); }
  int Max() const { return maximum(); }
  int Position() const { return value(); }
  // A new maximum below the minimum is raised to the minimum; the position is clamped into the
  // new range and raises OnChange when clamping moved it.
  void SetMax(int value);
  void SetMin(int value);
  // Clamped into the range.
  void SetPosition(int value);

  // Ticks are drawn every `frequency` units, but never closer than a few pixels apart: a bar
  // over a medium's milliseconds would otherwise draw a tick per pixel column many times over.
  void SetTickFrequency(int frequency);
  int TickFrequency() const { return tick_frequency_; }

  void SetOnChange(std::function<void()> handler) { on_change_ = std::move(handler); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // Up and Page Up lower the position, Down and Page Down raise it, as the desktop the program
  // comes from has it; Qt's slider moves the other way for them.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void UpdateTickSpacing();
  void RaiseChange();
  template <typename F>
  void ProgramChange(F&& change);

  int program_changes_ = 0;
  std::exception_ptr pending_;

  int tick_frequency_ = 1;
  std::function<void()> on_change_;
};

}  // namespace qrv
