#include "path_parts.h"

#include "runtime/paths.h"

namespace qrv::fs {

void AppendPieces(std::vector<std::string>& parts, const std::string& text) {
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\\', start);
    if (end == std::string::npos) end = text.size();
    const std::string piece = text.substr(start, end - start);
    if (piece == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!piece.empty() && piece != ".") {
      parts.push_back(piece);
    }
    start = end + 1;
  }
}

std::optional<WindowsPathParts> ParseWindowsPath(const std::string& absolute) {
  WindowsPathParts out;
  if (absolute.size() >= 3 && absolute[1] == ':' && absolute[2] == '\\') {
    if (!IsAsciiLetter(absolute[0])) return std::nullopt;
    out.letter = AsciiLowerChar(absolute[0]);
    AppendPieces(out.parts, absolute.substr(3));
    return out;
  }
  if (absolute.rfind("\\\\", 0) == 0) {
    // The server and share names stay in front; ".." below them cannot remove them.
    const size_t share_end = UncShareLength(absolute);
    if (share_end == 0) return std::nullopt;
    out.share = absolute.substr(0, share_end);
    if (share_end < absolute.size()) AppendPieces(out.parts, absolute.substr(share_end + 1));
    return out;
  }
  return std::nullopt;
}

std::string JoinWindowsPath(const WindowsPathParts& path) {
  std::string out = path.letter ? std::string(1, path.letter) + ":" : path.share;
  if (path.parts.empty()) return path.letter ? out + "\\" : out;
  for (const auto& part : path.parts) out += "\\" + part;
  return out;
}

}  // namespace qrv::fs
