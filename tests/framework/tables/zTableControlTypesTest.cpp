#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/controls3d/Controls3dTestSupport.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/controls3d/ziVisBmpButtonInternal.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/controls3d/zControls3dTypes.h"
#include "framework/core/zControlType.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/tables/zProgressBar.h"
#include "framework/tables/zTableControlTypes.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/zTablePrintable.h"
#include "framework/tables/zTreeCtrl.h"
#include "framework/tables/zValueSet.h"
#include "framework/core/zBitmapPane.h"
#include "framework/core/zTabCtrl.h"

KEL_TEST_APPLICATION;

TEST(zControlTypeExtended, DialogTemplateCreatesTheRegisteredControls)
{
    // The start routine registers the 3-D controls, then the table and
    // rich controls.
    zRegisterControls3dTypes();
    zRegisterTableControlTypes();
    RecordingFrame frame("Vorlage");
    auto* dialog = new zDialogFrame(&frame, zResId(100));
    dialog->show(SW_SHOWNORMAL);
    pump();
    auto item = [dialog](int32_t id) { return dialog->childById(id); };
    EXPECT_NE(dynamic_cast<zStaticText3d*>(item(201)), nullptr);
    // Class names in lower and in upper case find the same type.
    EXPECT_NE(dynamic_cast<zRadioButton3d*>(item(202)), nullptr);
    EXPECT_NE(dynamic_cast<zRadioButton3d*>(item(203)), nullptr);
    EXPECT_NE(dynamic_cast<zCheckBox3d*>(item(204)), nullptr);
    EXPECT_NE(dynamic_cast<zGroupBox3d*>(item(205)), nullptr);
    auto* panel = dynamic_cast<zPanel3d*>(item(206));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->panelFace()->bevel(), 1);  // the 999 defaults from style 0x0208
    // The bitmap button from a template has no bitmap.
    auto* bmp = dynamic_cast<zBitmapButton*>(item(207));
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->bitmapFaceVisual()->bitmap(), nullptr);
    // A rich control gets the template's id.
    auto* bar = dynamic_cast<zProgressBar*>(item(208));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->id(), 208);

    ASSERT_NE(item(204), nullptr);
    EXPECT_EQ(GetDlgCtrlID(item(204)->handle()), 204);
    EXPECT_EQ(kel::test::WindowText(item(201)->handle()), "&Schulname:");
    // The template's auto radio style reaches the face.
    sendClick(item(203)->handle(), 5, 8);
    EXPECT_EQ(SendMessageA(item(203)->handle(), BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(zControlType::find("keineKlasse"), nullptr);
    delete dialog;
}

TEST(zControlTypeExtended, TemplatesBuildTheRealTableControls)
{
    zRegisterTableControlTypes();
    RecordingFrame frame("Vorlage");
    auto* dialog = new zDialogFrame(&frame, zResId(300));
    dialog->show(SW_SHOWNORMAL);
    pump();
    auto* table = dynamic_cast<zTable*>(dialog->childById(301));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(dynamic_cast<zTablePrintable*>(table), nullptr);
    EXPECT_EQ(table->model()->rows(), 100u);
    EXPECT_EQ(SendMessageA(table->handle(), WM_GETDLGCODE, 0, 0), 0x81);
    EXPECT_NE(dynamic_cast<zValueSet*>(dialog->childById(302)), nullptr);
    EXPECT_NE(dynamic_cast<zTreeCtrl*>(dialog->childById(303)), nullptr);
    auto* bar = dynamic_cast<zProgressBar*>(dialog->childById(304));
    ASSERT_NE(bar, nullptr);
    EXPECT_STREQ(bar->info()->caption.c_str(), "Fortschritt");
    EXPECT_EQ(bar->barStyle() & 0xFFFF, 0x08u);  // the template style goes to the bar
    EXPECT_NE(dynamic_cast<zBitmapPane*>(dialog->childById(305)), nullptr);
    auto* tabs = dynamic_cast<zTabCtrl*>(dialog->childById(306));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->style() & WS_TABSTOP, WS_TABSTOP);
    EXPECT_NE(dynamic_cast<zTablePrintable*>(dialog->childById(307)), nullptr);
    delete dialog;
}

TEST(TableControls, ConstructorsMakeControlWindows)
{
    zFrameWin* frame = new zFrameWin(new zSizer(10, 10, 300, 200), WS_OVERLAPPEDWINDOW, "Controls");
    ASSERT_TRUE(frame->create());
    auto sz = [&] { return new zSizer(5, 5, 50, 20, frame->sizer()); };
    const DWORD style = WS_VISIBLE | WS_BORDER | 0x23;

    zWindow* made[] = {
        new zTable(frame, sz(), style, "T", 1),
        new zTablePrintable(frame, sz(), style, "P", 2),
        new zValueSet(frame, sz(), style, "V", 3),
        new zTreeCtrl(frame, sz(), style, "B", 4),
    };
    for (zWindow* w : made) {
        ASSERT_NE(w->handle(), nullptr);
        EXPECT_TRUE(w->isKind(zKindPane));
        EXPECT_EQ(GetWindowLongA(w->handle(), GWL_STYLE) & WS_BORDER, WS_BORDER);
    }
    EXPECT_EQ(made[2]->id(), 3);

    auto* bar = new zProgressBar(frame, sz(), style, "Fortschritt", 6);
    EXPECT_EQ(bar->barStyle(), style);
    EXPECT_EQ(GetWindowLongA(bar->handle(), GWL_STYLE) & (WS_BORDER | WS_VISIBLE), 0);  // the window gets style 0

    delete frame;
    pump();
}
