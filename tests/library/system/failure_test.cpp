// The file and the reason of a failure wait, after their load source, for the next box.
#include "library/system/failure.h"

#include <gtest/gtest.h>

#include <string>

#include "support/headless_test.h"

namespace {

using FailureTest = HeadlessTest;

TEST_F(FailureTest, ADetailIsTakenOnceWithTheSourceOfItsTime) {
  {
    const LoadSource source("data/data1.dat:12");
    NoteFailureDetail("img/a.bmp: no such file");
  }
  EXPECT_EQ(TakeFailureDetail(), "data/data1.dat:12: img/a.bmp: no such file");
  EXPECT_EQ(TakeFailureDetail(), "");
  NoteFailureDetail("img/b.bmp: no such file");
  EXPECT_EQ(TakeFailureDetail(), "img/b.bmp: no such file") << "the source ended with its scope";
}

}  // namespace
