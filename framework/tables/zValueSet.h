#pragma once
// The value set: a pane control showing a fixed grid of pictures, one per
// value, from which the user picks one cell with the mouse or the arrow
// keys, like a palette. The pictures come from an image strip; the holder
// fills the strip, the grid size and the values. The choice can be bound to
// a (column, row) pair of the holder, and every change is reported to the
// parent window (notification code 1).
#include <memory>
#include <vector>

#include "framework/core/zPaneControl.h"
#include "framework/core/ziImageStrip.h"

class zValueSet : public zPaneControl {
public:
    struct Value {
        int32_t data = 0;
        int32_t picture = 0;  // the picture number in the strip
    };
    struct Cell {
        int32_t column = 0;
        int32_t row = 0;
        bool operator==(const Cell&) const = default;
    };

    zValueSet(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zValueSet() override;

    int mouseButtonDown(zEvent* ev) override;
    int validate() override;
    int transferIn() override;
    int draw(zEvent* ev) override;
    int keyDown(zEvent* ev);

    // The cell a point of the pane lies on, or false for a miss (gaps,
    // insets, outside the grid, no strip).
    bool hitTest(int32_t x, int32_t y, Cell& cell) const;
    zRect cellRect(const Cell& cell) const;
    void choose(const Cell& cell);
    const Cell& choice() const { return choice_; }

    std::unique_ptr<ziImageStrip> strip;
    int32_t columns = 0;
    int32_t rows = 0;
    std::vector<Value> values;  // columns x rows, row by row
    int32_t showChoice = 1;
    int32_t choiceFrame;
    int32_t keyboard = 1;
    Cell* bound = nullptr;
    int32_t bevelDepth = 2;
    int32_t margin = 0;
    int32_t gap = 3;
    int32_t inset = 2;

private:
    int32_t pictureWidth() const { return strip ? strip->width() : 10; }
    int32_t pictureHeight() const { return strip ? strip->height() : 10; }
    void invalidateChoice();
    void drawChoiceFrame(const zRect& r);
    void drawBevel(const zRect& r);

    Cell choice_;
};
