#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>
#include <QRect>
#include <QWidget>

#include "controls/bit_btn.h"
#include "controls/dx_button.h"

namespace qrv::test {

// The classic desktop scheme, so that system colours have known values in every test.
QPalette ClassicPalette();

inline constexpr QRgb kFace = 0xFFD4D0C8;
inline constexpr QRgb kShadow = 0xFF808080;
inline constexpr QRgb kHighlight = 0xFFFFFFFF;
inline constexpr QRgb kText = 0xFF000000;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kBlue = 0xFF0000FF;
inline constexpr QRgb kWhite = 0xFFFFFFFF;

// Installs the classic palette for the test and restores the previous one afterwards.
class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

 private:
  QPalette previous_;
};

// A shown top-level window with a black background, as the player's windows have.
class BlackWindow : public QWidget {
 public:
  BlackWindow();
};

// What the screen shows in the control's rectangle: the window's background and the control.
QImage Snapshot(QWidget* control);
// The smallest rectangle holding every pixel of the colour; empty when there is none.
QRect BoundingBox(const QImage& image, QRgb color);
// How many pixels of the colour the image holds.
int CountColor(const QImage& image, QRgb color);
// Moves the pointer to a point given in the control's coordinates.
void MovePointer(QWidget* control, QPoint pos);

// A flat button captioned "Ok" in blue MS Sans Serif at (20, 20) of the window, shown, with the
// pointer away from it.
TdxButton* ShowOkButton(QWidget* window);
// A transparent bitmap button with its caption shown, at (20, 20) of the window, 49 × 25.
TDDMBitBtn* PlaceBitBtn(QWidget* window);

}  // namespace qrv::test
