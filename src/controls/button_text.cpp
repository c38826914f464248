#include "controls/button_text.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "controls/accelerator.h"
#include "controls/color.h"

namespace qrv {

namespace {

const QString kEllipsis = QStringLiteral("...");

// One line cut from the visible text: [start, end) and, when elided, how much of it is kept.
struct Span {
  qsizetype start;
  qsizetype end;
};

ButtonTextLine MakeLine(const PrefixedText& source, Span span, const QFontMetrics& fm, int width) {
  ButtonTextLine line;
  line.text = source.text.mid(span.start, span.end - span.start);
  qsizetype kept = line.text.size();
  if (width > 0 && fm.horizontalAdvance(line.text) > width) {
    // Keep the longest beginning that fits together with the ellipsis.
    while (kept > 0 && fm.horizontalAdvance(line.text.left(kept) + kEllipsis) > width) --kept;
    line.text = line.text.left(kept) + kEllipsis;
  }
  for (int u : source.underlined) {
    if (u >= span.start && u < span.start + kept)
      line.underlined.append(u - static_cast<int>(span.start));
  }
  line.width = fm.horizontalAdvance(line.text);
  return line;
}

// Greedy word wrap of one paragraph [start, end) of the visible text.
void WrapParagraph(const PrefixedText& source, qsizetype start, qsizetype end,
                   const QFontMetrics& fm, int width, std::vector<Span>& spans) {
  const QString& t = source.text;
  if (width <= 0 || start == end) {
    spans.push_back({start, end});
    return;
  }
  qsizetype line_start = start;
  while (line_start < end) {
    qsizetype line_end = line_start;  // end of the last word that fits
    qsizetype pos = line_start;
    while (pos < end) {
      qsizetype word_end = pos;
      while (word_end < end && t[word_end] == QLatin1Char(' ')) ++word_end;
      while (word_end < end && t[word_end] != QLatin1Char(' ')) ++word_end;
      const int w = fm.horizontalAdvance(t.mid(line_start, word_end - line_start));
      if (w > width && line_end > line_start) break;
      line_end = word_end;
      pos = word_end;
      if (w > width) break;  // a single word wider than the line stays alone and is elided
    }
    spans.push_back({line_start, line_end});
    line_start = line_end;
    while (line_start < end && t[line_start] == QLatin1Char(' ')) ++line_start;
  }
}

}  // namespace

std::vector<ButtonTextLine> LayoutButtonText(const QString& text, const QFont& font, int width,
                                             const ButtonTextFormat& format) {
  PrefixedText source;
  if (format.show_accel) {
    source = ProcessPrefixes(text);
  } else {
    source.text = text;
  }
  QString& t = source.text;
  t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const QFontMetrics fm(font);
  std::vector<Span> spans;
  qsizetype start = 0;
  while (true) {
    const qsizetype nl = t.indexOf(QLatin1Char('\n'), start);
    const qsizetype end = nl < 0 ? t.size() : nl;
    WrapParagraph(source, start, end, fm, width, spans);
    if (nl < 0) break;
    start = nl + 1;
  }
  std::vector<ButtonTextLine> lines;
  lines.reserve(spans.size());
  for (const Span& s : spans) lines.push_back(MakeLine(source, s, fm, width));
  return lines;
}

QRect MeasureButtonText(const QString& text, const QFont& font, const QRect& r,
                        const ButtonTextFormat& format) {
  QString measured = text;
  if (text.isEmpty() || (format.show_accel && text == QLatin1String("&"))) {
    measured = text + QLatin1Char(' ');
  }
  const auto lines = LayoutButtonText(measured, font, r.width(), format);
  int widest = 0;
  for (const auto& l : lines) widest = std::max(widest, l.width);
  const int height = static_cast<int>(lines.size()) * QFontMetrics(font).height();
  QRect out = r;
  out.setRight(r.left() + widest - 1);
  out.setBottom(r.top() + height - 1);
  return out;
}

namespace {

void DrawLines(QPainter& p, const std::vector<ButtonTextLine>& lines, const QFontMetrics& fm,
               const QRect& r, const ButtonTextFormat& format, const QColor& color) {
  p.setPen(color);
  int y = r.top();
  for (const auto& line : lines) {
    const int x = format.right_aligned ? r.left() + r.width() - line.width : r.left();
    p.drawText(QPoint(x, y + fm.ascent()), line.text);
    for (int u : line.underlined) {
      const int ux = x + fm.horizontalAdvance(line.text.left(u));
      const int uw = fm.horizontalAdvance(line.text.mid(u, 1));
      const int uy = y + fm.ascent() + fm.underlinePos();
      p.fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), color);
    }
    y += fm.height();
  }
}

}  // namespace

void DrawButtonText(QPainter& p, const QString& text, const QFont& font, const QRect& r,
                    const ButtonTextFormat& format, bool enabled, const QColor& color,
                    const QPalette& palette) {
  const auto lines = LayoutButtonText(text, font, r.width(), format);
  const QFontMetrics fm(font);
  p.save();
  p.setFont(font);
  p.setLayoutDirection(format.right_to_left ? Qt::RightToLeft : Qt::LeftToRight);
  p.setBackgroundMode(Qt::TransparentMode);
  if (enabled) {
    DrawLines(p, lines, fm, r, format, color);
  } else {
    DrawLines(p, lines, fm, r.translated(1, 1), format, ToQColor(clBtnHighlight, palette));
    DrawLines(p, lines, fm, r, format, ToQColor(clBtnShadow, palette));
  }
  p.restore();
}

}  // namespace qrv
