// The trace record's bytes as a monitor program reads them.
#include <gtest/gtest.h>

#include <string>

#include "components/edits/TagMonitorRecord.h"

namespace {

TEST(TagMonitorRecord, LayoutOfOneMessage) {
  auto b = TTagMonitorRecord::Encode(mkWarning, 7, "[X] abc");
  const uint8_t head[] = {1, 0, 0, 0, 7, 0, 0, 0, '[', 'X', ']', ' ', 'a', 'b', 'c', 0};
  EXPECT_EQ(std::basic_string<uint8_t>(b.data(), sizeof head),
            std::basic_string<uint8_t>(head, sizeof head));
  auto neg = TTagMonitorRecord::Encode(mkError, -2, "");
  const uint8_t negHead[] = {2, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_EQ(std::basic_string<uint8_t>(neg.data(), sizeof negHead),
            std::basic_string<uint8_t>(negHead, sizeof negHead));
}

TEST(TagMonitorRecord, TextCutAt250) {
  struct Case {
    size_t length;
    size_t arrives;
  } cases[] = {{0, 0}, {249, 249}, {250, 250}, {251, 250}, {300, 250}};
  for (const Case& c : cases) {
    std::string text;
    for (size_t i = 0; i < c.length; ++i) text += static_cast<char>('a' + i % 26);
    auto b = TTagMonitorRecord::Encode(mkInfo, 0, text);
    int32_t kind = -1, value = -1;
    AnsiString got;
    TTagMonitorRecord::Decode(b, kind, value, got);
    EXPECT_EQ(got, text.substr(0, c.arrives)) << c.length;
    EXPECT_EQ(b[8 + c.arrives], 0) << c.length;
    EXPECT_EQ(b[259], 0);
  }
}

}  // namespace
