// A pane that works like a character terminal: a fixed grid of rows and
// columns in the system's fixed-pitch font, with a cursor that wraps to new
// lines and scrolls the grid at the bottom.
#pragma once

#include "framework/core/zPane.h"
#include "framework/core/zTextBuf.h"
#include "framework/core/zTextStream.h"

#include <windows.h>

class zTextPane : public zPane, public zTextStream {
public:
    static constexpr zKind KindTextPane = zKind(0x0108);

    zTextPane(zWindow* parent, zSizer* sizer, DWORD style, int32_t rows, int32_t columns);
    // The form a dialog template's "zTextPane" item uses: 25 x 80.
    zTextPane(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);

    void setSize(int32_t rows, int32_t columns);
    int preferredSize(int32_t& width, int32_t& height) override;
    void show(int code) override;
    int draw(zEvent* ev) override;
    void displayChanged() override {}

    void write(const char* text) override { writeText(text); }

    virtual void drawText(int32_t column, int32_t row, int32_t count);
    virtual POINT pixelToCell(POINT pixel) const;
    virtual RECT pixelRectToCells(const RECT& rect) const;
    virtual POINT cellToPixel(POINT cell) const;
    virtual RECT cellRectToPixels(const RECT& rect) const;
    virtual void writeText(const char* text);

    // While deferred, output only marks cells; the next paint draws them.
    void setDeferred(int flag) { deferred_ = flag; }
    int32_t deferredCount() const { return deferredCount_; }
    void setLineStart(int32_t column) { lineStart_ = column; }

    int32_t cursorColumn() const { return cursorColumn_; }
    int32_t cursorRow() const { return cursorRow_; }
    int32_t charHeight() const { return charHeight_; }
    int32_t charWidth() const { return charWidth_; }
    const zTextBuf& buffer() const { return buffer_; }

    // The creator registered for dialog templates.
    static zWindow* createFromTemplate(zWindow* parent, zSizer* sizer, uint32_t style, const char* title,
                                       int32_t id);

private:
    void newLine(int32_t n);
    void scrollUp(int32_t n);
    HDC selectFont(HGDIOBJ& previous) const;

    zTextBuf buffer_;
    int32_t cursorColumn_ = 0;
    int32_t cursorRow_ = 0;
    int32_t rows_ = 0;
    int32_t columns_ = 0;
    int32_t charHeight_ = 0;
    int32_t charWidth_ = 0;
    int32_t marginTop_ = 0, marginBottom_ = 0, marginLeft_ = 0, marginRight_ = 0;
    int32_t deferred_ = 0;
    int32_t deferredCount_ = 0;
    int32_t lineStart_ = 0;
};
