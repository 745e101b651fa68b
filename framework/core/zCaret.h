#pragma once
// The caret of a window.
#include <windows.h>

#include <cstdint>

class zWindow;

class zCaret {
public:
    zCaret(zWindow* window, int32_t flag, int32_t width, int32_t height);
    ~zCaret();
    zCaret(const zCaret&) = delete;
    zCaret& operator=(const zCaret&) = delete;

    // Counted, also while the caret does not exist: hidden when the count
    // falls to 0, shown when it rises to 1.
    void hide();
    void show();
    void setPos(POINT p);
    // Creates the caret on the window (it has the focus), shown when the
    // count is above 0; destroying it keeps the count.
    void create();
    void destroy();

    bool exists() const { return exists_ != 0; }
    int32_t showCount() const { return showCount_; }
    POINT pos() const { return POINT{x_, y_}; }

private:
    zWindow* window_;
    int32_t flag_;
    int32_t width_, height_;
    int32_t x_ = 0, y_ = 0;
    int32_t showCount_ = 0;
    UINT blinkTime_;
    int32_t exists_ = 0;
};
