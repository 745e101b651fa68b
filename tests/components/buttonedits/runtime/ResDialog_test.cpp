#include "components/buttonedits/runtime/ResDialog.h"

#include <gtest/gtest.h>

namespace {

// Presses a button of the dialog once its own loop runs.
struct Presser : TResDialog {
  UINT button;
  bool initialised = false;
  Presser(UINT b) : TResDialog(500), button(b) {}
  void InitDialog() override {
    initialised = true;
    ::PostMessageA(Handle(), WM_COMMAND, MAKEWPARAM(button, 0), 0);
  }
};

}  // namespace

TEST(ResDialog, OkAndCancelEndTheLoopAndInitDialogSeesTheControls) {
  for (UINT button : {IDOK, IDCANCEL}) {
    Presser dialog(button);
    ASSERT_NE(dialog.Handle(), nullptr);
    EXPECT_TRUE(dialog.initialised);
    EXPECT_NE(::GetDlgItem(dialog.Handle(), 100), nullptr);
    EXPECT_EQ(dialog.Execute(), button == IDOK);
  }
  TResDialog missing(999);
  EXPECT_FALSE(missing.Execute());
}
