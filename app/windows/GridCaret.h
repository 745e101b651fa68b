#pragma once
// The entry grid's caret: a bar the grid inverts on its own display,
// shown while an editor wants it and the grid has the focus, blinking at
// the system's caret rate. Windows' caret costs two requests to the window
// server and a drawing on a display of its own for every hide and show
// (under Wine most of a keystroke); this one inverts the bar on the display
// the grid holds for the keystroke anyway. A hidden system caret follows
// the bar for the tools that look for the caret.
//
// While held (a keystroke or click), the bar is off the screen and every
// change waits for the release, so that the drawings in between can paint
// over its place; the release puts it back once, at its last position.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "framework/core/zEvH.h"

class InputTablePane;
class zTimer;

class GridCaret : public zEvH {
public:
    GridCaret(InputTablePane* pane, int32_t width, int32_t height);
    ~GridCaret() override;
    GridCaret(const GridCaret&) = delete;
    GridCaret& operator=(const GridCaret&) = delete;

    void show();
    void hide();
    // Shown as an editor wants it (whether or not on the screen now).
    bool shown() const { return shown_; }
    void place(POINT at);
    void hold();
    void release();
    bool held() const { return held_ > 0; }
    // The grid gained (true) or lost the focus.
    void focus(bool has);

    // The bar as it is on the screen.
    bool barOn() const { return barOn_; }
    POINT barPos() const { return barPos_; }

private:
    void sync();
    void invert(POINT at);
    bool wanted() const;
    int blink();

    InputTablePane* pane_;
    int32_t width_, height_;
    uint32_t blinkMs_;
    std::unique_ptr<zTimer> blinkTimer_;
    POINT pos_{0, 0};
    POINT barPos_{0, 0};
    uint32_t shownAt_ = 0;
    int32_t held_ = 0;
    bool shown_ = false;
    bool focused_ = false;
    bool barOn_ = false;
    bool systemCaret_ = false;
};
