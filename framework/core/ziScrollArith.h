#pragma once
// The arithmetic of the pane scrollers: how far the content moves for a
// change of a scroll position, and the ranges of the automatic scroller.
#include <cstdint>

class ziScrollArith {
public:
    struct Move {
        enum Kind { None, Scroll, Top, Bottom };
        Kind kind = None;
        int32_t delta = 0;  // pixels for Scroll (positive moves the content down/right)
    };

    // A line move from prev to pos. Backward moves fall back to the top,
    // forward moves to the bottom; the content moves step x (prev - pos).
    static Move line(int32_t prev, int32_t pos, int32_t min, int32_t max, int32_t step);
    // A page move: exactly one state page moves pagePixels; anything else
    // (a short page at the range's end) goes to the top or the bottom.
    static Move page(int32_t prev, int32_t pos, int32_t min, int32_t max, int32_t statePage,
                     int32_t pagePixels);
    // Pixels to scroll for a jump from prev to target: step x (prev - target).
    static int32_t jump(int32_t prev, int32_t target, int32_t step);

    // The maximum position that shows content of contentExtent in a client
    // of clientExtent: (content - client) / step rounded up; 0 when it fits.
    static int32_t autoMax(int32_t contentExtent, int32_t clientExtent, int32_t step);
    // The position kept when the maximum changes: round(pos x newMax / oldMax),
    // clamped to min ... newMax.
    static int32_t keptPosition(int32_t pos, int32_t oldMax, int32_t newMax, int32_t min);
};
