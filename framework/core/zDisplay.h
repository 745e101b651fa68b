#pragma once
// The framework's drawing surface. A display keeps the whole drawing state
// (colours, modes, origins, extents, stacks of pens, brushes and fonts) in
// its own fields, takes the device context only between the outermost
// acquire and its release, and re-applies the state every time it takes it.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/core/zBitmap.h"
#include "framework/core/zColor.h"
#include "framework/core/zDrawObj.h"
#include "framework/core/zDrawStack.h"
#include "framework/core/zFont.h"
#include "framework/core/zRect.h"

class zRegion;

using zBrushStack = zDrawStack<zBrush>;
using zPenStack = zDrawStack<zPen>;
using zFontStack = zDrawStack<zFont>;

class zDisplay {
public:
    enum Kind : uint8_t { Plain = 0, Window = 1, BitmapKind = 2, Printer = 3 };

    zDisplay();
    virtual ~zDisplay();
    zDisplay(const zDisplay&) = delete;
    zDisplay& operator=(const zDisplay&) = delete;

    virtual void getDC() {}
    virtual void releaseDC() {}
    // The screen's own device context, made once per process and kept: its
    // capabilities and bitmap format are those of every window's context,
    // without the round trip that taking a window's context costs.
    static HDC screenDC();
    // Forgets the screen's capabilities read so far; the next window display
    // reads them again. Called when the display settings change.
    static void screenChanged();
    // The rectangle to repaint.
    virtual zRect paintRect() { return {}; }
    virtual void invalidateRect(const zRect* rect, int32_t erase) {}
    virtual void invalidateRegion(const zRegion* region, int32_t erase) {}
    // Size of a text on the held context; length 0 means the whole string.
    virtual SIZE textExtent(const char* text, int32_t length = 0);
    // The drawable rectangle.
    virtual zRect extentRect() { return {}; }
    // Copies a bitmap at (x, y) with the raster operation; 0 without a
    // device context.
    virtual int32_t drawBitmap(const zBitmap* bitmap, int32_t x, int32_t y, uint32_t rop = SRCCOPY);

    void acquire();
    void release();
    HDC hdc() const { return hdc_; }
    int32_t nesting() const { return nesting_; }
    Kind kind() const { return kind_; }

    // Setters that store the value and apply it at once while the context
    // is held.
    zColor backColor() const { return backColor_; }
    zColor backColor(const zColor& colour);  // answers the previous colour
    zColor textColor() const { return textColor_; }
    zColor textColor(const zColor& colour);
    int32_t rasterOp() const { return rop_; }
    int32_t rasterOp(int32_t rop);  // answers the previous one
    int32_t backMode() const { return backMode_; }
    void setBackMode(int32_t mode);
    int32_t mapMode() const { return mapMode_; }
    void setMapMode(int32_t mode);
    // Answer SetWindowOrgEx's / SetViewportOrgEx's result while held, else
    // the new origin packed as low word x, high word y.
    int32_t setWindowOrg(int32_t x, int32_t y);
    int32_t setViewportOrg(int32_t x, int32_t y);
    void setWindowExt(int32_t cx, int32_t cy);
    void setViewportExt(int32_t cx, int32_t cy);
    POINT windowOrg() const { return windowOrg_; }
    POINT viewportOrg() const { return viewportOrg_; }

    // Stacks. push makes the object current (selected while held); what is
    // left on a stack is deleted with the display. pop hands the removed
    // object to the caller (who releases it when it pushed an object it
    // keeps); swap takes the top off without selecting and pushes the new
    // object.
    void pushBrush(zBrush* brush) { push(brushes_, brush); }
    std::unique_ptr<zBrush> popBrush() { return pop(brushes_, WHITE_BRUSH); }
    std::unique_ptr<zBrush> swapBrush(zBrush* brush) { return swap(brushes_, brush); }
    void pushPen(zPen* pen) { push(pens_, pen); }
    std::unique_ptr<zPen> popPen() { return pop(pens_, BLACK_PEN); }
    std::unique_ptr<zPen> swapPen(zPen* pen) { return swap(pens_, pen); }
    void pushFont(zFont* font) { push(fonts_, font); }
    std::unique_ptr<zFont> popFont() { return pop(fonts_, SYSTEM_FONT); }
    std::unique_ptr<zFont> swapFont(zFont* font) { return swap(fonts_, font); }
    zBrush* brush() const { return brushes_.current(); }
    zPen* pen() const { return pens_.current(); }
    zFont* font() const { return fonts_.current(); }
    int32_t brushCount() const { return brushes_.count(); }
    int32_t penCount() const { return pens_.count(); }
    int32_t fontCount() const { return fonts_.count(); }

    void textMetrics(TEXTMETRICA& metrics);
    // The outline of the rectangle with the current pen.
    void frameRect(const zRect& rect);

    int32_t horzRes() const { return horzRes_; }
    int32_t vertRes() const { return vertRes_; }
    int32_t logPixelsX() const { return logPixelsX_; }
    int32_t logPixelsY() const { return logPixelsY_; }
    int32_t horzSize() const { return horzSize_; }
    int32_t vertSize() const { return vertSize_; }

protected:
    void readCaps(HDC dc);
    // The screen's capabilities, the same for every window's context. They
    // are read once (each read is slow under Wine) and again after
    // screenChanged().
    void readScreenCaps();
    // Sets the window-display colours: the system window colours and a
    // solid brush of the window colour in place of the stock brush.
    void useWindowColours();
    bool held() const { return hdc_ != nullptr && nesting_ > 0; }
    // The stack operations of the three kinds; popping the last object
    // selects the stock default into a held context, so the popped object
    // is no longer selected when its owner deletes it.
    template <class T>
    void push(zDrawStack<T>& stack, T* object);
    template <class T>
    std::unique_ptr<T> pop(zDrawStack<T>& stack, int stockDefault);
    template <class T>
    std::unique_ptr<T> swap(zDrawStack<T>& stack, T* object);

    int32_t nesting_ = 0;
    POINT point1_{0, 0};
    POINT point2_{0, 0};
    zColor backColor_{255, 255, 255, 255};
    zColor textColor_{0, 0, 0, 0};
    zBrushStack brushes_;
    zPenStack pens_;
    zFontStack fonts_;
    uint8_t rop_ = R2_COPYPEN;
    POINT windowOrg_{0, 0};
    POINT viewportOrg_{0, 0};
    SIZE windowExt_{0, 0};
    SIZE viewportExt_{0, 0};
    uint8_t mapMode_ = 0;
    Kind kind_ = Plain;
    HDC hdc_ = nullptr;
    int32_t horzRes_ = 0;
    int32_t vertRes_ = 0;
    int32_t logPixelsX_ = 0;
    int32_t logPixelsY_ = 0;
    int32_t horzSize_ = 0;
    int32_t vertSize_ = 0;
    uint8_t backMode_ = OPAQUE;
    zRect rect_{};
};

// A display whose pixels can be copied to another display.
class zReadableDisplay : public zDisplay {
public:
    virtual void copyTo(zDisplay* target, int32_t x, int32_t y, int32_t width, int32_t height,
                        int32_t srcX, int32_t srcY)
    {
    }
};
