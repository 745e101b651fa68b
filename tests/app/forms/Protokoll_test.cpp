// The log form and its file: what one entry writes, clearing, reloading and
// a log file that cannot be written.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/Settings.h"
#include "app/forms/Protokoll.h"
#include "classlib/Application.h"
#include "tests/support/FormTest.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowQuery.h"

namespace {

using kel::test::FileBytes;

class Log : public ::testing::Test {
 protected:
  void SetUp() override {
    TApplication::Instance();
    folder_ = dir_.path();
    state_.settings.veranstDir = folder_;
    state_.eventName = "\\Stadtentscheid.";
    path_ = dir_ / "Stadtentscheid.PRK";
    Application->OnException = [this](const std::exception& e) { shown_.push_back(e.what()); };
  }
  void TearDown() override {
    Application->OnException = nullptr;
  }
  kel::test::TempDir dir_;
  EventState state_;
  std::string folder_, path_;
  std::vector<std::string> shown_;
};

TEST_F(Log, OneEntryIsTheTextADashLineAndAnEmptyLine) {
  TProtokoll log(nullptr, state_);
  EXPECT_EQ(log.LogPath(), path_);
  EXPECT_EQ(log.Memo->Lines().Count(), 0);
  EXPECT_EQ(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(log.AddLine("übergeben"), 1);
  EXPECT_EQ(FileBytes(path_), "\xFC" "bergeben\r\n-----\r\n\r\n");
  // Each line of a text with line breaks becomes a line of its own.
  EXPECT_EQ(log.AddLine("a\nb\r\nc"), 1);
  EXPECT_EQ(FileBytes(path_),
            "\xFC" "bergeben\r\n-----\r\n\r\na\r\nb\r\nc\r\n-----\r\n\r\n");
  EXPECT_TRUE(shown_.empty());
}

TEST_F(Log, ANewFormShowsTheEarlierLines) {
  {
    TProtokoll first(nullptr, state_);
    first.AddLine("10.12.2026, 13:00: Meldedatei C:\\m\\a.VOV wurde erzeugt!");
  }
  TProtokoll second(nullptr, state_);
  ASSERT_EQ(second.Memo->Lines().Count(), 3);
  EXPECT_EQ(second.Memo->Lines().Strings(0),
            "10.12.2026, 13:00: Meldedatei C:\\m\\a.VOV wurde erzeugt!");
  EXPECT_EQ(second.Memo->Lines().Strings(1), "-----");
  EXPECT_EQ(second.Memo->Lines().Strings(2), "");
  EXPECT_EQ(kel::test::WindowText(second.Memo->Handle()), "10.12.2026, 13:00: Meldedatei C:\\m\\a.VOV wurde erzeugt!\r\n-----\r\n");
  second.AddLine("zwei");
  EXPECT_EQ(second.Memo->Lines().Count(), 6);
}

TEST_F(Log, ClearingLeavesAnEmptyFile) {
  TProtokoll log(nullptr, state_);
  log.AddLine("eins");
  EXPECT_EQ(kel::test::WindowText(log.Button2->Handle()), "Protokoll l\xF6schen");
  SendMessageA(log.Button2->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(log.Memo->Lines().Count(), 0);
  EXPECT_NE(GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(FileBytes(path_), "");
}

TEST_F(Log, AFileThatCannotBeWrittenIsReportedAndTheLinesStay) {
  TProtokoll log(nullptr, state_);
  CreateDirectoryA(path_.c_str(), nullptr);  // the log path is taken by a folder
  EXPECT_EQ(log.AddLine("eins"), 0);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_NE(shown_[0].find("Stadtentscheid.PRK"), std::string::npos);
  EXPECT_EQ(log.Memo->Lines().Count(), 3);
  EXPECT_EQ(GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
  // No temporary file is left behind.
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder_ + "\\*.tmp").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
}

TEST_F(Log, ShownModallyAndClosedWithOk) {
  TProtokoll log(nullptr, state_);
  EXPECT_EQ(log.ActiveControl(), log.Button1);
  HWND ok = log.Button1->Handle();
  EXPECT_EQ(kel::test::runForm([&] { return log.ShowModal(); },
                               {[&] { PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 1); }}),  // Enter on the focused OK button
            mrOk);
}

}  // namespace
