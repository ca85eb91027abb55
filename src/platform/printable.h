// Text from outside (a file name, a record's version, a box's text) as it may
// go to a terminal: control bytes would move the cursor or change colours.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// text with every control byte, C0, DEL and the two-byte UTF-8 C1 ones,
// written as \xNN; everything else as it stands.
std::string Printable(std::string_view text);

}  // namespace platform
