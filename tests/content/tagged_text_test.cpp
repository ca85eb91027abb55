#include "content/tagged_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(TaggedText, KindsOfLineAndCaseConversion) {
  TaggedText text(
      "#bg: Img\\Sky.bmp\n"  // any case; the value keeps its blank
      "; #BG:comment\n"
      " #BG:not a directive\n"
      "#BG\n"                // no colon
      "Bg:Img\\Sky.BMP\n"    // a block line, lower-cased
      "#BG:\x83\x61\xC1z\n"  // Shift-JIS second byte 0x61 changes, 0xC1 does not
      "bg:\x83\x41\xC1Z\n"
      "\n"
      "#BG:a\r\n"         // CR LF ends a line
      "#BG:b\r#BG:c\r\r"  // and so does a lone CR, as old Mac editors wrote
      "#BG:last\x1A#BG:after the end\n",
      "t.dat");
  // The values that the directive key (true) and the block key (false) find, line by line.
  std::vector<std::pair<std::string, bool>> seen;
  while (text.Next()) {
    if (text.Directive("BG:")) seen.push_back({std::string(text.Value()), true});
    if (text.Block("bg:")) seen.push_back({std::string(text.Value()), false});
  }
  const std::vector<std::pair<std::string, bool>> expected = {{" IMG\\SKY.BMP", true},
                                                              {"img\\sky.bmp", false},
                                                              {"\x83\x41\xC1Z", true},
                                                              {"\x83\x61\xC1z", false},
                                                              {"A", true},
                                                              {"B", true},
                                                              {"C", true},
                                                              {"LAST", true}};
  EXPECT_EQ(seen, expected);
}

TEST(TaggedText, LastLineAndLongLinesKeepEveryByte) {
  // The CR of a 253-byte line's CR LF is the 254th byte of the piece.
  const std::string bytes =
      "#BGM:" + std::string(300, 'Q') + "\n#BGM:" + std::string(248, 'R') + "\r\n#BGM:end";
  TaggedText text(bytes, "t.dat");
  std::vector<std::string> lines;
  while (text.Next()) {
    ASSERT_TRUE(text.Block(""));  // the empty key shows the whole lower-cased line
    lines.emplace_back(text.Value());
  }
  const std::vector<std::string> expected = {"#bgm:" + std::string(249, 'q'), std::string(51, 'q'),
                                             "#bgm:" + std::string(248, 'r'), "#bgm:end"};
  EXPECT_EQ(lines, expected);
  EXPECT_EQ(text.LineNumber(), 3);
}

TEST(CommaValues, PairsScanFromTheirOwnByteAndQuadsFromEachNumber) {
  using A2 = std::array<int, 2>;
  constexpr CommaScan kFirst = CommaScan::kFirstByte, kSecond = CommaScan::kSecondByte;
  // A leading comma is found only by the search from the first byte; missing commas give 0,
  // also on an empty value.
  for (const auto& [text, scan, pair] : {std::tuple{"12,34", kFirst, A2{12, 34}},
                                         {"12,34", kSecond, A2{12, 34}},
                                         {",5,7", kFirst, A2{0, 5}},
                                         {",5,7", kSecond, A2{0, 7}},
                                         {",5", kSecond, A2{0, 0}},
                                         {"-9", kFirst, A2{-9, 0}},
                                         {"", kSecond, A2{0, 0}},
                                         {"4,", kFirst, A2{4, 0}}})
    EXPECT_EQ(IntPair(text, scan), pair) << text;
  EXPECT_EQ(RealPair("100.5, 2e2", CommaScan::kFirstByte), (std::array<float, 2>{100.5f, 200.0f}));
  // A quad searches from each number.
  using A4 = std::array<int, 4>;
  for (const auto& [text, quad] : {std::pair{"100,50,320,240", A4{100, 50, 320, 240}},
                                   {" 1 , 2 ,3,4 trailing", A4{1, 2, 3, 4}},
                                   {"1,,3", A4{1, 0, 3, 0}},
                                   {",2,3,4", A4{0, 2, 3, 4}},
                                   {"7", A4{7, 0, 0, 0}}})
    EXPECT_EQ(IntQuad(text), quad) << text;
}

// What --check says of a value, kind by kind: nothing for a well-formed one.
struct ValueCase {
  ValueKind kind;
  const char* value;
  const char* said;  // nullptr: well formed
};

TEST(TaggedText, ValueProblems) {
  const ValueCase cases[] = {
      {ValueKind::kInt, " -12", nullptr},
      {ValueKind::kInt, "500 the boss", nullptr},
      {ValueKind::kInt, "fast", "\"fast\" is not a whole number; the game reads 0"},
      {ValueKind::kInt, "5.5", "\"5.5\" is not a whole number; the game reads 5"},
      {ValueKind::kReal, "0.45", nullptr},
      {ValueKind::kReal, ".", "\".\" is not a number; the game reads 0"},
      {ValueKind::kRealPair, "100.5, 200", nullptr},
      {ValueKind::kRealPair, "528;80",
       "\"528;80\" is not two numbers separated by a comma; the game reads 528,0"},
      {ValueKind::kIntPair, "3,x",
       "\"3,x\" is not two whole numbers separated by a comma; the game reads 3,0"},
      {ValueKind::kIntQuad, "40,356,560,104", nullptr},
      {ValueKind::kIntQuad, "1,2,3",
       "\"1,2,3\" is not four whole numbers separated by commas; the game reads 1,2,3,0"},
      {ValueKind::kFlag, " ", nullptr},
  };
  for (const ValueCase& c : cases) {
    const std::optional<std::string> said = ValueProblem(c.kind, c.value);
    EXPECT_EQ(said.value_or("(none)"), c.said ? c.said : "(none)") << c.value;
  }
  EXPECT_NE(ValueProblem(ValueKind::kFlag, "0"), std::nullopt);
}

TEST(TaggedText, NearestKeyIsOneSlipAway) {
  const std::vector<std::string> keys = {"hp:", "xy:", "wait:", "MAX_TURN:"};
  EXPECT_EQ(NearestKey("hpp:", keys), "hp:");
  EXPECT_EQ(NearestKey("wiat:", keys), "wait:");
  EXPECT_EQ(NearestKey("MAX_TURNS:", keys), "MAX_TURN:");
  EXPECT_EQ(NearestKey("speed:", keys), std::nullopt);
}

}  // namespace
