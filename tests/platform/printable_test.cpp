#include "platform/printable.h"

#include <gtest/gtest.h>

namespace {

TEST(PrintableTest, ControlBytesAreWrittenOut) {
  const struct {
    const char* text;
    const char* printed;
  } cases[] = {
      {"run.rec", "run.rec"},
      {"\x1b[2J", "\\x1b[2J"},
      {"a\nb\x7f\t", "a\\x0ab\\x7f\\x09"},
      {"\xc2\x9b"
       "1m",
       "\\xc2\\x9b1m"},                                    // C1 CSI in UTF-8
      {"\xc2\xa9 \xe6\x97\xa5", "\xc2\xa9 \xe6\x97\xa5"},  // other UTF-8 stays
      {"\xc2", "\xc2"},
  };
  for (const auto& c : cases) EXPECT_EQ(platform::Printable(c.text), c.printed) << c.printed;
}

}  // namespace
