#include "handed_path.h"

#include <QByteArray>
#include <QString>
#include <cctype>

#include "runtime/fs/drive_map.h"
#include "runtime/paths.h"

namespace qrv {
namespace {

bool IsDrivePath(std::string_view text) {
  return text.size() >= 2 && text[1] == ':' && IsAsciiLetter(text[0]);
}

// "scheme://" as URIs begin; "c:" stays a drive and "a:b.mp3" a file name.
bool HasScheme(std::string_view text) {
  const size_t colon = text.find("://");
  if (colon == std::string_view::npos || colon < 2) return false;
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  for (size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// Messages are shown as text; bytes that are not UTF-8 are shown as replacement characters.
std::string Printable(std::string_view bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
}

HandedPath FromHost(const std::string& host) {
  HandedPath handed;
  if (auto windows = fs::FromHostPath(host)) {
    handed.windows = *windows;
    handed.shown = *windows;
  } else {
    handed.shown = Printable(host);
  }
  return handed;
}

}  // namespace

HandedPath HandedUri(std::string_view uri) {
  constexpr std::string_view kFile = "file://";
  if (uri.size() < kFile.size() ||
      QByteArray(uri.data(), static_cast<qsizetype>(kFile.size())).toLower() != kFile.data()) {
    return HandedPath{.windows = {}, .shown = Printable(uri), .foreign_scheme = true};
  }
  std::string_view rest = uri.substr(kFile.size());
  // Only this machine's files: an empty host or "localhost".
  const size_t slash = rest.find('/');
  const std::string_view host = rest.substr(0, slash);
  if (slash == std::string_view::npos ||
      !(host.empty() ||
        QByteArray(host.data(), static_cast<qsizetype>(host.size())).toLower() == "localhost")) {
    return HandedPath{.windows = {}, .shown = Printable(uri), .foreign_scheme = false};
  }
  rest = rest.substr(slash);
  // A query or fragment is no part of a file's name.
  rest = rest.substr(0, rest.find_first_of("?#"));
  const QByteArray path =
      QByteArray::fromPercentEncoding(QByteArray(rest.data(), static_cast<qsizetype>(rest.size())));
  return FromHost(path.toStdString());
}

HandedPath HandedArgument(std::string_view argument, std::string_view host_cwd) {
  if (IsDrivePath(argument)) {
    const std::string windows = fs::ExpandFileName(std::string(argument));
    return HandedPath{.windows = windows, .shown = Printable(windows), .foreign_scheme = false};
  }
  if (HasScheme(argument)) return HandedUri(argument);
  // Without a folder of its own, a relative path is taken against this process's.
  if (host_cwd.empty() || (!argument.empty() && argument.front() == '/')) {
    return FromHost(std::string(argument));
  }
  std::string host(host_cwd);
  if (host.empty() || host.back() != '/') host += '/';
  host += argument;
  return FromHost(host);
}

bool IsAbsolutePath(const std::string& windows_path) {
  if (UncShareLength(windows_path) > 0) return true;
  return windows_path.size() >= 3 && IsAsciiLetter(windows_path[0]) && windows_path[1] == ':' &&
         (windows_path[2] == '\\' || windows_path[2] == '/');
}

std::string FolderOfFile(const std::string& windows_path) {
  return fs::ExpandFileName(ExtractFilePath(windows_path));
}

}  // namespace qrv
