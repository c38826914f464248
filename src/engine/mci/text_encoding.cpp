#include "text_encoding.h"

#include <cstdint>

namespace qrv::mci {
namespace {

// The characters of Windows-1252's bytes 0x80 to 0x9F; 0 where the code page has none. The
// other bytes are the Unicode characters of the same number.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

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
  for (char ch : bytes) {
    const auto b = static_cast<uint8_t>(ch);
    const uint32_t c = b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : b;
    PutUtf8(out, c == 0 ? 0xFFFD : c);
  }
  return out;
}

std::optional<std::string> Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  for (size_t at = 0; at < utf8.size();) {
    const std::optional<uint32_t> c = NextUtf8(utf8, at);
    if (!c) return std::nullopt;
    if (*c < 0x80 || (*c >= 0xA0 && *c < 0x100)) {
      out.push_back(static_cast<char>(*c));
      continue;
    }
    bool found = false;
    for (int i = 0; i < 32 && !found; ++i) {
      if (kHighControls[i] != 0 && kHighControls[i] == *c) {
        out.push_back(static_cast<char>(0x80 + i));
        found = true;
      }
    }
    if (!found) return std::nullopt;
  }
  return out;
}

std::string AsUtf8(const std::string& bytes) {
  return IsUtf8(bytes) ? bytes : Cp1252ToUtf8(bytes);
}

}  // namespace qrv::mci
