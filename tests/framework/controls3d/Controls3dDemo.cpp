// A small program that shows the bars and 3-D controls: a frame with a tool
// bar and a status line, and a dialog of 3-D controls made from a dialog
// template through the control-type registry. tools/screenshot-controls3d.sh
// runs it and takes a picture of the screen. It ends by itself after the
// number of seconds given on the command line (default 20).
#include <windows.h>

#include <cstdlib>

#include "framework/controls3d/zBitmapButton.h"
#include "framework/core/zBitmap.h"
#include "framework/controls3d/zCheckBox3d.h"
#include "framework/controls3d/zRadioButton3d.h"
#include "framework/controls3d/zSlotSizer.h"
#include "framework/controls3d/zStatusItem.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/controls3d/zToolbar.h"
#include "framework/core/zApplication.h"
#include "framework/core/zChildWin.h"
#include "framework/controls3d/zControls3dTypes.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zResId.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTimer.h"

namespace {

class DemoFrame : public zFrameWin {
public:
    DemoFrame() : zFrameWin(new zSizer(20, 20, 640, 300), WS_OVERLAPPEDWINDOW, "Zavrolin - Meldungen")
    {
        create();
        setMenu(new zMenu(zResId(1), this));
        holder_ = new zChildWin(this, new zGravSizer(zSizerFill, 0, sizer()), WS_VISIBLE, 0);
        holder_->create();

        bar_ = new zToolbar(holder_, new zGravSizer(zSizerTop, 29, holder_->sizer()), 0x200, 0, 1);
        bar_->setSpacing(5, 0);
        struct Slot {
            int32_t slot, id, bitmap, width;
        };
        const Slot slots[] = {{1, 12, 13, 25},   {3, 3024, 12, 10}, {5, 10, 11, 25},
                              {7, 3025, 12, 10}, {9, 23, 15, 25},   {11, 3026, 12, 10},
                              {13, 22, 16, 25},  {15, 3027, 12, 10}, {17, 4, 22, 25},
                              {30, 1, 1, 25}};
        for (const Slot& s : slots) {
            auto* b = new zBitmapButton(bar_, new zSlotSizer(s.slot, s.width, 25, bar_->sizer()),
                                        0x4010, "", s.id, new zBitmap(zResId(s.bitmap)));
            b->show(SW_SHOW);
        }
        for (int32_t spacer : {3024, 3025, 3026, 3027})
            bar_->enableCommand(spacer, 0);
        bar_->show(SW_SHOW);
        bar_->linkMenu();

        line_ = new zStatusLineEZ(holder_, new zGravSizer(zSizerBottom, 0, holder_->sizer()), 0xD900, 0,
                                  nullptr);
        new zStatusItemText(line_, zSizerLeft, "Wettkampfklasse WK III/1", 11, 0x004);
        line_->show(SW_SHOW);
        line_->showMenuHelp();
        line_->setItemText(11, "WK III/1 Jungen");
        line_->setItemText(0, "Bereit");
        show(SW_SHOWNORMAL);
        RECT rc;
        GetClientRect(handle(), &rc);
        SendMessageA(handle(), WM_SIZE, 0, MAKELPARAM(rc.right, rc.bottom));
    }
    int command(zEvent* ev) override
    {
        if (LOWORD(ev->wParam) == 4)
            theApplication->quit();
        return 1;
    }

private:
    zChildWin* holder_;
    zToolbar* bar_;
    zStatusLineEZ* line_;
};

class Ender : public zEvH {
public:
    int end()
    {
        theApplication->quit();
        return 0;
    }
};

}  // namespace

void StartApplication(zApplication* app)
{
    zRegisterControls3dTypes();
    int seconds = 20;
    if (app->cmdLine && *app->cmdLine)
        seconds = std::atoi(app->cmdLine);
    auto* frame = new DemoFrame;
    // The window of 3-D controls: dialog template 100 through the registry.
    auto* controls = new zDialogFrame(frame, zResId(100));
    if (zWindow* photo = controls->childById(204))
        SendMessageA(photo->handle(), BM_SETCHECK, 1, 0);
    if (zWindow* single = controls->childById(202))
        SendMessageA(single->handle(), BM_SETCHECK, 1, 0);
    controls->show(SW_SHOWNORMAL);
    Ender ender;
    zTimer timer(&ender, zTask(&Ender::end), uint32_t(seconds) * 1000);
    app->run();
    delete controls;
    delete frame;
}
