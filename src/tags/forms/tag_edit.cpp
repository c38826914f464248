#include "tag_edit.h"

#include <charconv>

#include "runtime/exceptions.h"
#include "tags/cp1252.h"

namespace qrv {

TTagEdit::TTagEdit(QWidget* parent) : QLineEdit(parent) {
  // Tag fields are short, but the box itself does not cut: the tag component's setters apply the
  // field widths when the values are stored.
  setFrame(true);
}

std::string TTagEdit::Text() const {
  return QStringToCp1252(text());
}

void TTagEdit::SetText(const std::string& bytes) {
  setText(Cp1252ToQString(bytes));
  // A long value shows from its beginning, as a freshly filled box should.
  setCursorPosition(0);
}

int32_t TrackNumberFromText(const std::string& text) {
  const auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && is_blank(text[first])) ++first;
  while (last > first && is_blank(text[last - 1])) --last;
  const char* begin = text.data() + first;
  const char* end = text.data() + last;
  // from_chars takes a minus sign but not a plus sign; a leading plus still makes a whole number,
  // but not when a minus follows it.
  if (begin != end && *begin == '+') {
    ++begin;
    if (begin != end && *begin == '-') throw EConvertError::InvalidInteger(text);
  }
  int32_t value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value, 10);
  if (begin == end || error != std::errc() || stop != end) {
    throw EConvertError::InvalidInteger(text);
  }
  return value;
}

}  // namespace qrv
