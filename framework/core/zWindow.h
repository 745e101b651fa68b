#pragma once
// A framework window: an object that owns one Windows window. The object is
// built first and creates its window in its create operation; it is bound to
// its handle in the application's window map so that the window procedures
// route the window's messages to it.
#include <windows.h>

#include <cstdint>

#include "framework/core/RcCString.h"
#include "framework/core/zColor.h"
#include "framework/core/zEvH.h"
#include "framework/core/zNotifyNode.h"
#include "framework/core/zPlist.h"
#include "framework/core/zResId.h"

class zSizer;
class zFont;
class zScrollInfo;
class zScrollerBase;
class zMenu;
class zCaret;
class zWindow;
using zWindowDlist = zPlistOf<zWindow>;

class zWindow : public zEvH {
public:
    // State word bits.
    enum : uint16_t {
        DeleteOnDestroy = 0x1,
        Destroyed = 0x2,
        WasShown = 0x4,
        OwnsFont = 0x200,
    };
    // Interest flags: the messages whose handler nodes are asked first.
    enum : uint32_t {
        WantSetCursor = 0x02,
        WantNcHitTest = 0x04,
        WantMenu = 0x08,
        WantButtonUp = 0x10,
        WantMouseMove = 0x20,
        WantActivate = 0x40,
        WantClose = 0x80,
        WantButtonDown = 0x100,
        WantFocus = 0x200,
    };
    // Background values with a meaning of their own.
    static constexpr COLORREF NoBackground = COLORREF(-2);
    static constexpr COLORREF ParentBackground = COLORREF(-3);

    zWindow(zSizer* sizer, DWORD style);
    zWindow(zWindow* parent, zSizer* sizer, DWORD style);
    // A new sizer of its own under the parent's sizer.
    explicit zWindow(zWindow* parent);
    ~zWindow() override;

    // Virtual operations.
    virtual LRESULT defWindowProc(zEvent* ev);
    virtual WNDCLASSA windowClass();
    virtual int size(zEvent* ev);
    virtual int activate(zEvent* ev) { return 0; }
    virtual int sizeSizer(zEvent* ev);
    virtual int move(zEvent* ev) { return 0; }
    virtual int close(zEvent* ev) { return 0; }
    virtual int command(zEvent* ev) { return 0; }
    virtual int scroll(zEvent* ev);
    virtual int mouseMove(zEvent* ev) { return 0; }
    virtual int mouseButtonUp(zEvent* ev) { return 0; }
    virtual int mouseButtonDown(zEvent* ev) { return 0; }
    virtual int focus(zEvent* ev) { return 0; }
    virtual int eraseBackground(zEvent* ev);
    virtual void showState(int code);
    // Width and height the window would like; 0 when it has no preference.
    virtual int preferredSize(int32_t& width, int32_t& height) { return 0; }
    virtual void backgroundColor(const zColor& color);
    virtual void show(int code);
    virtual int isValid();
    virtual int validate();
    virtual int setFocusTo(zWindow* target);
    virtual void focusChanged(zWindow* previous, zWindow* now) {}
    virtual void setFont(zFont* font, int redraw);
    virtual void moveWindow(int32_t x, int32_t y, int32_t width, int32_t height);
    virtual int create() { return 0; }
    // Character input of controls (the control procedure's operation).
    virtual int charInput(zEvent* ev) { return 0; }
    // Text colour record and brush of a control, for the WM_CTLCOLOR*
    // answers (plain windows: black, no brush).
    virtual zColor ctlTextColor() const { return zColor{}; }
    virtual HBRUSH ctlBrush() const { return nullptr; }

    // Handler nodes.
    void addNotify(zEvH* handler, zEvProc fn, UINT message);
    void removeNotify(zEvH* handler, zEvProc fn);
    // A WM_COMMAND node for one command id of this window's menus,
    // accelerators or controls (any window).
    void addCommand(uint32_t id, zEvH* handler, zEvProc fn);
    zNotifyNodeDlist* messageNodes() const { return messageNodes_; }
    zNotifyNodeDlist* commandNodes() const { return commandNodes_; }
    zNotifyNodeDlist*& messageNodeList();
    zNotifyNodeDlist*& commandNodeList();

    // The brush for a child's WM_CTLCOLOR* message, or 0.
    HBRUSH ctlColor(zEvent* ev, zWindow* window);

    void enable() { if (hwnd_) EnableWindow(hwnd_, TRUE); }
    void disable() { if (hwnd_) EnableWindow(hwnd_, FALSE); }
    bool isEnabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
    // Converts a client rectangle (both corners when flag is 0, else the
    // top-left only) to screen coordinates.
    void clientToScreen(RECT& rect, int flag = 0) const;
    void setCursor(const zCursor& cursor) { cursor_ = cursor; }
    const zCursor& cursor() const { return cursor_; }
    void applyStyle();
    // Sets the class icon; the icon object is deleted. 0 when none.
    HICON setClassIcon(zIcon* icon);
    zWindow* childById(int32_t id);

    HWND handle() const { return hwnd_; }
    zWindow* parent() const { return parent_; }
    zSizer* sizer() const { return sizer_; }
    zWindowDlist& children() { return children_; }
    zFont* font() const { return font_; }
    const RcCString& text() const { return text_; }
    void setText(const char* text) { text_ = text; }
    int32_t id() const { return id_; }
    void setId(int32_t id) { id_ = id; }
    DWORD style() const { return style_; }
    void setStyle(DWORD style) { style_ = style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN; }
    DWORD exStyle() const { return exStyle_; }
    void setExStyle(DWORD exStyle) { exStyle_ = exStyle; }
    uint16_t state() const { return state_; }
    void setState(uint16_t bits) { state_ |= bits; }
    void clearState(uint16_t bits) { state_ &= uint16_t(~bits); }
    // Deletes the object when Windows destroys its window.
    void deleteOnDestroy() { setState(DeleteOnDestroy); }
    uint32_t interest() const { return interest_; }
    void addInterest(uint32_t bits) { interest_ |= bits; }
    COLORREF background() const { return background_; }
    void setBackground(COLORREF c) { background_ = c; }
    // The background to paint with: -3 resolves to the parent's.
    COLORREF effectiveBackground() const;
    const RcCString& className() const { return className_; }
    void setClassName(const char* name) { className_ = name; }
    uint32_t classStyle() const { return classStyle_; }
    void setClassStyle(uint32_t s) { classStyle_ = s; }
    zScrollInfo*& vertScroll() { return vScroll_; }
    zScrollInfo*& horzScroll() { return hScroll_; }
    zScrollerBase* scroller() const { return scroller_; }
    void setScroller(zScrollerBase* s) { scroller_ = s; }
    zCaret* caret() const { return caret_; }
    void setCaret(zCaret* c) { caret_ = c; }

    // The window object bound to a handle, or null.
    static zWindow* find(HWND hwnd);
    // The window that last received or lost the focus.
    static zWindow* lastFocus;

protected:
    // Registers the class of wc (recording the name with the application)
    // and creates the window; binds the handle.
    HWND createWindow(WNDCLASSA& wc, HWND parentHwnd);
    // Binds a created handle in the window map.
    void bind(HWND hwnd);
    // Unbinds the handle (the window stays).
    void unbind();
    // The sizer takes the created window's rectangle.
    void sizerFromWindowRect();
    void inheritParentFont();

    uint16_t state_ = 0;
    zFont* font_ = nullptr;
    RcCString text_;
    int32_t id_ = 0;
    uint32_t interest_ = 0;
    zSizer* sizer_ = nullptr;
    DWORD style_ = WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    DWORD exStyle_ = 0;
    RcCString className_{"WindowCL"};
    zCursor cursor_;
    COLORREF background_ = 0;
    uint32_t classStyle_ = 0;
    zScrollInfo* vScroll_ = nullptr;
    zScrollInfo* hScroll_ = nullptr;
    zNotifyNodeDlist* messageNodes_ = nullptr;
    zNotifyNodeDlist* commandNodes_ = nullptr;
    zWindowDlist children_;
    zWindow* parent_ = nullptr;
    zScrollerBase* scroller_ = nullptr;
    HWND hwnd_ = nullptr;
    zCaret* caret_ = nullptr;

    friend class zMDIAppFrame;
    friend class zMDIChildFrame;

private:
    void init(zWindow* parent, zSizer* sizer, DWORD style);
};

// The window procedures of the framework's window classes.
LRESULT CALLBACK zPlainWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK zMDIFrameWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK zMDIChildWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Installed on standard controls; the control object answers the saved
// procedure through its defWindowProc.
LRESULT CALLBACK zControlWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Framework messages.
enum : UINT {
    zMsgMdiMerge = 0x902,    // merge the menu of an MDI child (lParam: child)
    zMsgDeleteChild = 0x903, // delete a destroyed MDI child's object (lParam)
    zMsgScrollRange = 0x90A, // deferred scroll range (wParam bar, lParam range)
};

// Mouse helpers.
inline bool zButton1(WPARAM keys) { return (keys & MK_LBUTTON) != 0; }
inline bool zButton2(WPARAM keys) { return (keys & MK_RBUTTON) != 0; }
inline bool zButton3(WPARAM keys) { return (keys & MK_MBUTTON) != 0; }
struct ziMouseMsg {
    // Whether the message is a down, up or double-click of button 1, 2 or 3.
    static bool isButton(UINT message, int button);
};

struct zScreenCaps {
    int32_t width, height, pixelsX, pixelsY, heightMm, widthMm;
};
void zGetScreenCaps(zScreenCaps& caps);
