#pragma once
// A row of equal-sized images in a memory display.
#include <windows.h>

#include <cstdint>

class zDisplay;
class zReadableDisplay;

class ziImageStrip {
public:
    // Takes the display (deleted with the strip); images are width x height,
    // image n starting at x = n * width.
    ziImageStrip(zReadableDisplay* display, int32_t width, int32_t height)
        : display_(display), width_(width), height_(height) {}
    ~ziImageStrip();
    ziImageStrip(const ziImageStrip&) = delete;
    ziImageStrip& operator=(const ziImageStrip&) = delete;

    void draw(zDisplay* target, POINT at, int32_t n) { drawAt(target, at.x, at.y, n); }
    void drawAt(zDisplay* target, int32_t x, int32_t y, int32_t n);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    zReadableDisplay* display() const { return display_; }

private:
    zReadableDisplay* display_;
    int32_t width_;
    int32_t height_;
};
