#pragma once

#include <optional>

namespace qrv::fs {

// Windows-1252, the code page in which Windows programs in the West write "ANSI" text: ID3v1
// tags, cue sheets and the file names they give. Bytes below 0x80 and from 0xA0 are the Unicode
// characters of the same number; 0x80 to 0x9F hold the typographic characters.
//
// The one rule for the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D):
// they are the control characters of the same number, as Windows itself decodes them. So every
// byte is one character and back again, and no byte of a tag or a file name is lost on its way
// through an edit box or a conversion.
char32_t Cp1252Char(unsigned char byte);

// The byte of a character; nothing when the code page lacks it.
std::optional<unsigned char> Cp1252Byte(char32_t c);

}  // namespace qrv::fs
