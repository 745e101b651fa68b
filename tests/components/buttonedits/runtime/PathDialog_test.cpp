#include "components/buttonedits/runtime/PathDialog.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include "components/buttonedits/runtime/PathHelpers.h"
#include "components/buttonedits/runtime/ResourceStrings.h"

namespace {

// Answers the shell's folder browser once it is up: reads its title line
// and presses a button. The browser runs modally on this thread, so a timer
// of the thread does the answering.
struct BrowserAnswer {
  static inline UINT Button = IDOK;
  static inline std::string SeenTitle;
  static inline bool Answered = false;

  static BOOL CALLBACK FindTitle(HWND child, LPARAM) {
    char cls[64] = {};
    ::GetClassNameA(child, cls, sizeof cls);
    char text[256] = {};
    ::GetWindowTextA(child, text, sizeof text);
    if (std::string(cls) == "Static" && text[0] && SeenTitle.empty()) SeenTitle = text;
    return TRUE;
  }
  static BOOL CALLBACK Visit(HWND window, LPARAM) {
    char cls[64] = {};
    ::GetClassNameA(window, cls, sizeof cls);
    if (std::string(cls) != "#32770" || !::IsWindowVisible(window)) return TRUE;
    ::EnumChildWindows(window, FindTitle, 0);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(Button, BN_CLICKED), 0);
    Answered = true;
    return FALSE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    if (!Answered) ::EnumThreadWindows(::GetCurrentThreadId(), Visit, 0);
  }
};

class PathDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    BrowserAnswer::SeenTitle.clear();
    BrowserAnswer::Answered = false;
    timer_ = ::SetTimer(nullptr, 0, 300, BrowserAnswer::Tick);
  }
  void TearDown() override {
    ::KillTimer(nullptr, timer_);
    ::CoUninitialize();
  }
  UINT_PTR timer_ = 0;
};

}  // namespace

TEST_F(PathDialogTest, OkReturnsThePreselectedFolderAsAPath) {
  const AnsiString start = "C:\\windows\\system32";
  AnsiString folder = start + "\\";
  BrowserAnswer::Button = IDOK;
  ASSERT_TRUE(QueryDir(LoadResString(dcconsts::_SSelectDirectory), folder, nullptr));
  EXPECT_TRUE(BrowserAnswer::Answered);
  EXPECT_EQ(BrowserAnswer::SeenTitle, "Verzeichniss w\xE4hlen");
  EXPECT_EQ(AnsiLowerCase(folder), AnsiLowerCase(start));
}

TEST_F(PathDialogTest, CancelLeavesTheFolderAsItWas) {
  AnsiString folder = "C:\\windows";
  BrowserAnswer::Button = IDCANCEL;
  EXPECT_FALSE(QueryDirectory("Titel", folder));
  EXPECT_TRUE(BrowserAnswer::Answered);
  EXPECT_EQ(folder, "C:\\windows");
}

TEST_F(PathDialogTest, ADriveRootIsPreselectedWithoutItsBackslashAndReturnedWithIt) {
  TDCPathDialog dialog(nullptr);
  dialog.SetSelectedItem("C:\\");
  EXPECT_EQ(dialog.SelectedItem(), "C:");
  BrowserAnswer::Button = IDOK;
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(dialog.SelectedIsPath());
  EXPECT_EQ(AnsiUpperCase(dialog.SelectedItem()), "C:\\");
}

TEST(PathDialog, FlagsAndEmptyStartFolder) {
  TDCPathDialog dialog(nullptr);
  EXPECT_EQ(dialog.GetFlags(), UINT(BIF_RETURNONLYFSDIRS));
  dialog.SetFlags(PathDialogFlag(pdfBrowseForComputer) | PathDialogFlag(pdfDontGoBelowDomain));
  EXPECT_EQ(dialog.GetFlags(), UINT(BIF_BROWSEFORCOMPUTER | BIF_DONTGOBELOWDOMAIN));
  char cwd[MAX_PATH];
  ::GetCurrentDirectoryA(MAX_PATH, cwd);
  dialog.SetSelectedItem("");
  EXPECT_EQ(dialog.SelectedItem(), cwd);
}
