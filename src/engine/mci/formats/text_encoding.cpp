#include "engine/mci/formats/text_encoding.h"

#include <cstdint>

#include "runtime/fs/code_page.h"

namespace qrv::mci {
namespace {

void PutUtf8(std::string& out, uint32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | c >> 6));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | c >> 12));
    out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes the UTF-8 character at `at`, moving past it; nothing when it is malformed.
std::optional<uint32_t> NextUtf8(const std::string& s, size_t& at) {
  const auto b = static_cast<uint8_t>(s[at]);
  const int more = b < 0x80             ? 0
                   : (b & 0xE0) == 0xC0 ? 1
                   : (b & 0xF0) == 0xE0 ? 2
                   : (b & 0xF8) == 0xF0 ? 3
                                        : -1;
  if (more < 0 || at + static_cast<size_t>(more) >= s.size()) return std::nullopt;
  uint32_t c = more == 0 ? b : b & (0x3Fu >> more);
  for (int i = 1; i <= more; ++i) {
    const auto n = static_cast<uint8_t>(s[at + static_cast<size_t>(i)]);
    if ((n & 0xC0) != 0x80) return std::nullopt;
    c = c << 6 | (n & 0x3F);
  }
  // Overlong forms and surrogates are not well-formed.
  constexpr uint32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
  at += static_cast<size_t>(more) + 1;
  return c;
}

}  // namespace

bool IsUtf8(const std::string& bytes) {
  for (size_t at = 0; at < bytes.size();) {
    if (!NextUtf8(bytes, at)) return false;
  }
  return true;
}

std::string Cp1252ToUtf8(const std::string& bytes) {
  std::string out;
  for (char ch : bytes) PutUtf8(out, fs::Cp1252Char(static_cast<unsigned char>(ch)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    const std::optional<uint32_t> c = NextUtf8(utf8, at);
    if (!c) return std::nullopt;
    const std::optional<unsigned char> byte = fs::Cp1252Byte(*c);
    if (!byte) return std::nullopt;
    out.push_back(static_cast<char>(*byte));
  }
  return out;
}

std::string AsUtf8(const std::string& bytes) {
  return IsUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes);
}

}  // namespace qrv::mci
