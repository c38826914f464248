#pragma once

#include <optional>
#include <string>

namespace qrv::mci {

// Whether the bytes are well-formed UTF-8.
bool IsUtf8(const std::string& bytes);

// Windows-1252 text as UTF-8, by the code page's one rule (runtime/fs/code_page.h).
std::string Cp1252ToUtf8(const std::string& bytes);

// UTF-8 text as Windows-1252; nothing when it holds a character that code page lacks.
std::optional<std::string> Utf8ToCp1252(const std::string& utf8);

// Text from a file that may be in either encoding, as UTF-8 for showing.
std::string AsUtf8(const std::string& bytes);

}  // namespace qrv::mci
