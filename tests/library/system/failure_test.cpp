// A failing library operation reports through the sink start-up installs; the
// file and the reason wait, after their load source, for the next box.
#include "library/system/failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/headless_test.h"

namespace {

std::vector<std::string> g_reports;

void KeepReport(const std::string& context, const std::string& message) {
  g_reports.push_back(context + " : " + message);
}

class FailureTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    g_reports.clear();
    SetFailureSink(KeepReport);
  }
};

TEST_F(FailureTest, ReportsGoToTheSinkAndGiveZero) {
  EXPECT_EQ(ReportError("elSound::LoadObject", "ミックス数が多過ぎます"), 0);
  EXPECT_EQ(g_reports, std::vector<std::string>{"elSound::LoadObject : ミックス数が多過ぎます"});
  EXPECT_TRUE(hp.boxes.empty()) << "the sink alone decides what is shown";
}

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
