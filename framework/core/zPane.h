#pragma once
// A pane: the framework's drawing child window with its own window display
// and a stack of displays, so one drawing routine can draw on the screen, a
// printer page or any display pushed for the time of one drawing.
#include "framework/core/zChildWin.h"
#include "framework/core/zRect.h"
#include "framework/core/zSlist.h"

class zDisplay;
class zWinDisplay;
class zPrintJob;

using zDisplayStack = zSlist<zDisplay*>;

class zPane : public zChildWin {
public:
    // With a non-zero create flag the window is created at once.
    zPane(zWindow* parent, zSizer* sizer, DWORD style, int32_t id, int32_t createNow);
    ~zPane() override;

    WNDCLASSA windowClass() override;
    int scroll(zEvent* ev) override;
    int focus(zEvent* ev) override;
    void backgroundColor(const zColor& colour) override;
    void show(int code) override;

    // Draws the pane on the current display; the default only acquires and
    // releases it.
    virtual int draw(zEvent* ev);
    // After the current display changed and before the first show.
    virtual void displayChanged() {}
    // Printing hooks.
    virtual int beginPrint(zDisplay* display, zPrintJob* job) { return 0; }
    virtual void endPrint(zDisplay* display, zPrintJob* job) {}
    virtual int printPage(zDisplay* display, const zRect& band) { return 0; }
    virtual int morePages() { return 0; }
    // ScrollWindow with the rectangle as scroll and clip rectangle.
    virtual void scrollWindow(int32_t dx, int32_t dy, const zRect* rect);

    // The display the pane draws on now.
    zDisplay* display() const { return display_; }
    zWinDisplay* ownDisplay() const { return ownDisplay_; }
    // Makes a display current for a while (it stays its pusher's) and
    // tells the pane; pop gives the previous one back.
    void pushDisplay(zDisplay* display);
    zDisplay* popDisplay();
    int32_t displayCount() const { return displayStack_.count(); }

    // An object a derived pane keeps; deleted with the pane.
    zEvH* extension() const { return extension_; }
    void setExtension(zEvH* extension);

    // The WM_PAINT handling of the pane's window procedure.
    LRESULT paint(zEvent* ev);

    static constexpr const char* className = "PaneWindowCL";

protected:
    zDisplay* display_ = nullptr;
    zWinDisplay* ownDisplay_ = nullptr;
    zDisplayStack displayStack_;
    zEvH* extension_ = nullptr;
};

// Class-kind mark of panes.
constexpr zKind zKindPane = zKind(0x0101);

LRESULT CALLBACK zPaneWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
