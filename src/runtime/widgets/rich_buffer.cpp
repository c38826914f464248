#include "rich_buffer.h"

#include "runtime/fs/text_file.h"

namespace qrv {

TRichBuffer::TRichBuffer(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  QWidget::setVisible(false);
}

void TRichBuffer::setVisible(bool) {
  // Always hidden: showing the parent window must not reveal the buffer.
  QWidget::setVisible(false);
}

std::string TRichBuffer::Text() const {
  std::string text;
  for (const auto& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void TRichBuffer::SaveToFile(const std::string& path) const {
  // The writer adds the final line break itself; earlier lines carry theirs in the text.
  std::string text = Text();
  if (text.size() >= 2) text.resize(text.size() - 2);
  WriteTextLine(path, text);
}

}  // namespace qrv
