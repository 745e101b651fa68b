#pragma once
// A frame window: a top-level window with a caption and an optional menu.
// The first frame built becomes the application's main frame.
#include "framework/core/zWindow.h"

class zFrameWin : public zWindow {
public:
    zFrameWin(zWindow* parent, zSizer* sizer, DWORD style, const char* title);
    explicit zFrameWin(zWindow* parent);
    zFrameWin(zSizer* sizer, DWORD style, const char* title);
    ~zFrameWin() override;

    LRESULT defWindowProc(zEvent* ev) override;
    virtual const RcCString& caption() const { return text_; }
    virtual void setCaption(const RcCString& text);
    virtual void setCaption(const char* text);
    int create() override;

    zMenu* menu() const { return menu_; }
    // Takes ownership of the menu (the previous one is deleted).
    void setMenu(zMenu* menu);
    void setMinTrackSize(int32_t width, int32_t height) { minTrackWidth_ = width; minTrackHeight_ = height; }

protected:
    // Applies the minimum tracking size to WM_GETMINMAXINFO.
    void applyMinTrack(zEvent* ev) const;
    // Step 5 of creation: a pop-up without a position gets 500 x 500,
    // otherwise the sizer takes the window's rectangle.
    void placeFrame();

    zMenu* menu_ = nullptr;
    int32_t minTrackWidth_ = 0;
    int32_t minTrackHeight_ = 0;

private:
    void initFrame();
};

// The fixed window-class name for the main frame: while set, the next MDI
// application frame registers this name (no identity suffix); the name is
// cleared as soon as that class is registered.
struct zFrameClassOverride {
    static void set(const char* name);
    static const char* get();
    static void clear();
};
