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
#include "framework/core/zDialogTemplate.h"
#include "framework/core/zProgressBar.h"

KEL_CONTROLS3D_APP;

namespace {

std::string narrow(const std::u16string& s)
{
    std::string out;
    for (char16_t c : s)
        out += char(c & 0xFF);
    return out;
}

zDialogTemplate loadTemplate(int id)
{
    zDialogTemplate t;
    HMODULE m = GetModuleHandleA(nullptr);
    HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5));
    if (r)
        t.parse(LockResource(LoadResource(m, r)), SizeofResource(m, r));
    return t;
}

}  // namespace

TEST(zControlTypeExtended, TemplateItemsCreateTheRegisteredControls)
{
    zControlType::registerExtended();
    RecordingFrame frame("Vorlage");
    const zDialogTemplate t = loadTemplate(100);
    ASSERT_TRUE(t.valid);
    std::vector<zWindow*> made;
    for (const zDialogTemplate::Item& item : t.items) {
        const std::string cls = narrow(item.className);
        const zControlType* type = zControlType::find(cls.c_str());
        ASSERT_NE(type, nullptr) << cls;
        const std::string title = narrow(item.title);
        zWindow* w = type->create(&frame, new zSizer(item.x, item.y, item.cx * 2, item.cy * 2, frame.sizer()),
                                  item.style, title.c_str(), item.id);
        ASSERT_NE(w, nullptr) << cls;
        w->show(SW_SHOWNORMAL);
        made.push_back(w);
    }
    pump();
    ASSERT_EQ(made.size(), 8u);
    EXPECT_NE(dynamic_cast<zStaticText3d*>(made[0]), nullptr);
    // Class names in any case find the same type.
    EXPECT_NE(dynamic_cast<zRadioButton3d*>(made[1]), nullptr);
    EXPECT_NE(dynamic_cast<zRadioButton3d*>(made[2]), nullptr);
    EXPECT_NE(dynamic_cast<zCheckBox3d*>(made[3]), nullptr);
    EXPECT_NE(dynamic_cast<zGroupBox3d*>(made[4]), nullptr);
    auto* panel = dynamic_cast<zPanel3d*>(made[5]);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->panelFace()->bevel(), 1);  // the 999 defaults from style 0x0208
    auto* bmp = dynamic_cast<zBitmapButton*>(made[6]);
    ASSERT_NE(bmp, nullptr);
    EXPECT_EQ(bmp->bitmapFaceVisual()->bitmap(), nullptr);
    // A rich control gets the template's style, caption and id.
    auto* bar = dynamic_cast<zProgressBar*>(made[7]);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->id(), 208);

    EXPECT_EQ(GetDlgCtrlID(made[3]->handle()), 204);
    char text[32] = {};
    GetWindowTextA(made[0]->handle(), text, sizeof text);
    EXPECT_STREQ(text, "&Schulname:");
    EXPECT_EQ(zControlType::find("keineKlasse"), nullptr);
    for (zWindow* w : made)
        delete w;
}
