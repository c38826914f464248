#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace qrv {

// The hidden plain-text buffer through which the one-line playlist files are written: cleared,
// given the folder as its only line, and saved. It never shows itself.
class TRichBuffer : public QWidget {
  Q_OBJECT

 public:
  explicit TRichBuffer(QWidget* parent = nullptr);

  void Clear() { lines_.clear(); }
  void AddLine(const std::string& line) { lines_.push_back(line); }
  const std::vector<std::string>& Lines() const { return lines_; }
  // The plain text as it is saved: every line followed by CR LF.
  std::string Text() const;

  // Replaces the file at the Windows path with the plain text, atomically: either the new text
  // is there completely or the old file is untouched. Raises EFCreateError with the path when the
  // file cannot be written.
  void SaveToFile(const std::string& path) const;

  void setVisible(bool visible) override;

 private:
  std::vector<std::string> lines_;
};

}  // namespace qrv
