// The value conversions of the content and configuration files.
#pragma once

#include <string>
#include <string_view>

// Decimal integer: leading white space, an optional sign, digits up to the
// first other byte; no digits gives 0. Values beyond int are clamped.
int ToInt(std::string_view text);
// Decimal real as strtod reads it, stored as a 32-bit float; nothing readable gives 0.
float ToReal(std::string_view text);
// Upper- or lower-cases the 26 ASCII letters only, byte by byte.
void UpperAscii(std::string& text);
void LowerAscii(std::string& text);
// UTF-8 to Shift-JIS (CP932), the encoding of the content files and of text
// drawn in the picture; the text unchanged if it cannot be converted.
std::string ToShiftJis(const std::string& utf8);
