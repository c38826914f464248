#pragma once

#include <QLineEdit>
#include <cstdint>
#include <string>

namespace qrv {

// A one-line edit box for a tag field. Tags hold Windows-1252 bytes, so the box converts on the
// way in and out; every byte a tag can hold comes back out unchanged if the user leaves the box
// alone.
class TTagEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit TTagEdit(QWidget* parent = nullptr);

  std::string Text() const;
  void SetText(const std::string& bytes);
};

// The whole number a track box holds. Blanks around the number are allowed; anything else, an
// empty box or a number outside 32 bits fails with "'%s' is not a valid integer value", the
// box's text in place of %s.
int32_t TrackNumberFromText(const std::string& text);

}  // namespace qrv
