#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Controls3dTestSupport.h"
#include "framework/controls3d/zBitmapButton.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zGroupBox3d.h"
#include "framework/controls3d/zPanel3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zStaticText3d.h"
#include "framework/controls3d/ziVisBmpButtonInternal.h"
#include "framework/controls3d/ziVisPanelInternal.h"
#include "framework/core/zControlType.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zResId.h"
#include "framework/core/zProgressBar.h"

KEL_TEST_APPLICATION;

TEST(zControlTypeExtended, DialogTemplateCreatesTheRegisteredControls)
{
    zControlType::registerExtended();
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
    char text[32] = {};
    GetWindowTextA(item(201)->handle(), text, sizeof text);
    EXPECT_STREQ(text, "&Schulname:");
    // The template's auto radio style reaches the face.
    click(item(203)->handle(), 5, 8);
    EXPECT_EQ(SendMessageA(item(203)->handle(), BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(zControlType::find("keineKlasse"), nullptr);
    delete dialog;
}
