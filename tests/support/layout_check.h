#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>
#include <optional>
#include <vector>

#include "controls/color.h"

namespace qrv::test {

// A font as the layout tables give it: a Windows face, a character height in pixels and a style.
struct LayoutFont {
  const char* face;
  int pixels;
  bool bold = false;
  bool italic = false;
};

// The properties every bitmap button of the windows shares besides its font: a caption and no
// glyph above it, spacing 4, one glyph, gray style at 100 %, transparent, face colour clBtnFace.
struct BitButtonLook {
  TColor transparent_color;
};

// One row of a window's layout table. A zero size means the control sizes itself, and only its
// position is checked; a missing caption, font or colour is not checked.
struct LayoutRow {
  const char* name;
  QRect bounds;
  const char* caption = nullptr;
  std::optional<LayoutFont> font = std::nullopt;
  std::optional<QColor> color = std::nullopt;
  std::optional<BitButtonLook> bit_button = std::nullopt;
};

// Checks each row against the window's control of that name, and that the rows of controls with
// the same parent stand in the window's stacking order: a later row lies above an earlier one.
void ExpectLayout(const QWidget& window, const std::vector<LayoutRow>& rows);

}  // namespace qrv::test
