#include "paths.h"

#include <QString>
#include <algorithm>

namespace qrv {

namespace {
bool IsAscii(const std::string& s) {
  return std::all_of(s.begin(), s.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

size_t NameStart(const std::string& path) {
  const size_t delim = path.find_last_of("\\:");
  return delim == std::string::npos ? 0 : delim + 1;
}
}  // namespace

std::string ExtractFileName(const std::string& path) {
  return path.substr(NameStart(path));
}

std::string ExtractFilePath(const std::string& path) {
  return path.substr(0, NameStart(path));
}

std::string ExtractFileExt(const std::string& path) {
  const size_t start = NameStart(path);
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start) return {};
  return path.substr(dot);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string SelectedPath(const std::string& folder, const std::string& selected_name) {
  if (selected_name.empty()) return {};
  return JoinPath(folder, selected_name);
}

std::string AsciiUpper(const std::string& text) {
  std::string out = text;
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return AsciiUpperChar(c); });
  return out;
}

std::size_t UncShareLength(const std::string& text) {
  if (text.size() < 3 || text[0] != '\\' || text[1] != '\\') return 0;
  const size_t server_end = text.find('\\', 2);
  if (server_end == std::string::npos || server_end == 2) return 0;
  const size_t share_end = text.find('\\', server_end + 1);
  if (share_end == server_end + 1) return 0;
  return share_end == std::string::npos ? text.size() : share_end;
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (IsAscii(a) && IsAscii(b)) return a.size() == b.size() && AsciiUpper(a) == AsciiUpper(b);
  return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
             .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                      Qt::CaseInsensitive) == 0;
}

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         SameTextIgnoringCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace qrv
