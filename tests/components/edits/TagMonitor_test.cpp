// The trace sender seen from a monitor: the named block and event.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "components/edits/TagMonitor.h"

namespace {

struct Monitor {
  Monitor() {
    mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "MonitorData");
    event = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, "MonitorEvent.Data");
    if (mapping) view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 260));
  }
  ~Monitor() {
    if (view) UnmapViewOfFile(view);
    if (mapping) CloseHandle(mapping);
    if (event) CloseHandle(event);
  }
  bool signalled() { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }
  std::string bytes(size_t n) { return std::string(reinterpret_cast<const char*>(view), n); }
  HANDLE mapping = nullptr, event = nullptr;
  const uint8_t* view = nullptr;
};

TEST(TagMonitor, MonitorReceivesTheRecord) {
  TTagMonitor sender(nullptr);
  Monitor m;
  ASSERT_NE(m.view, nullptr);
  ASSERT_NE(m.event, nullptr);
  EXPECT_FALSE(m.signalled());

  sender.AppID = "X";
  sender.SendWarning("abc", 7);
  EXPECT_TRUE(m.signalled());
  EXPECT_FALSE(m.signalled()) << "the event resets itself";
  EXPECT_EQ(m.bytes(16), std::string("\x01\0\0\0\x07\0\0\0[X] abc\0", 16));

  sender.AppID = "";
  sender.SendError(std::string(300, 'm'), -1);
  EXPECT_TRUE(m.signalled());
  EXPECT_EQ(m.bytes(8), std::string("\x02\0\0\0\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(m.bytes(260).substr(8), std::string(250, 'm') + std::string(2, '\0'));

  sender.SendInfo("ok", 0);
  EXPECT_EQ(m.bytes(11), std::string("\0\0\0\0\0\0\0\0ok", 10) + '\0');
}

}  // namespace
