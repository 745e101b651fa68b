// The program's windows leave no GDI object behind: each family is opened
// in an owner frame of its own, painted and closed 100 times while the
// process's GDI objects are counted.
#include "tests/app/windows/GridTestSupport.h"

#include <memory>
#include <string>

#include "app/windows/FlybyHelp.h"
#include "app/windows/InfoButton.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zResId.h"
#include "tests/support/GdiCount.h"

namespace grid_test {
namespace {

void moveTo(zWindow* w, int x, int y) { SendMessageA(w->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

// The grid of the first class with an editor open in its first cell.
void entryGrid(OwnerFrame& frame, EventState& state)
{
    frame.grid = new EditSchueler(&frame, new zSizer(0, 0, 700, 330, frame.sizer()), state, 6, 13, 0);
    frame.grid->show(SW_SHOW);
    frame.grid->loadTable(0);
    frame.grid->setCurrent(0, 0);
    sendChar(frame.grid->handle(), 'A');
}

// The school tabs, with the bubble of a hovered tab.
void schoolTabs(OwnerFrame& frame, EventState&)
{
    auto* strip = new NotebookPane(&frame, new zSizer(0, 340, 700, 28, frame.sizer()));
    strip->show(SW_SHOW);
    for (const char* school : {"Goethe", "Schiller", "Lessing"})
        strip->addTab(new zString(school), new zString((std::string("Hint ") + school).c_str()));
    UpdateWindow(strip->handle());
    moveTo(strip, strip->tabPosition(1) + 12, 14);
    UpdateWindow(strip->handle());
}

// A hint button hovered, which draws its frame.
void hintButton(OwnerFrame& frame, EventState&)
{
    auto* button = new InfoButton(&frame, new zSizer(10, 10, 25, 25, frame.sizer()), 0x4010, "", 13,
                                  new zBitmap(zResId(14)), "Mannschaft speichern");
    button->show(SW_SHOW);
    UpdateWindow(button->handle());
    moveTo(button, 12, 12);
}

TEST_F(GridTest, TheProgramsWindowsLeaveNoGdiObjectsBehind)
{
    const struct Family {
        const char* name;
        void (*fill)(OwnerFrame&, EventState&);
    } families[] = {{"entry grid", entryGrid}, {"school tabs", schoolTabs}, {"hint button", hintButton}};
    for (const Family& family : families) {
        SCOPED_TRACE(family.name);
        kel::test::expectNoGdiGrowth([&] {
            auto owner = std::make_unique<OwnerFrame>();
            family.fill(*owner, state_);
            RedrawWindow(owner->handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
            pump();
        });
    }
}

}  // namespace
}  // namespace grid_test
