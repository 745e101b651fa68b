#pragma once
// The in-place cell editors of the input grid. They are not windows: an
// editor paints itself into the grid's display over the current cell, moves
// the grid's caret, filters what is typed and finally writes its text into
// the cell's buffer. The grid owns one editor per column and deletes it
// through this base.
#include <cstddef>
#include <cstdint>

#include "framework/core/zDrawObj.h"

class InputTablePane;

class EditCell {
public:
    static constexpr int32_t TextSize = 200;

    EditCell(InputTablePane* table, int32_t maxLength, const char* allowed);
    virtual ~EditCell() = default;
    EditCell(const EditCell&) = delete;
    EditCell& operator=(const EditCell&) = delete;

    // Opens the editor on a cell rectangle (grid coordinates) with its text.
    virtual void begin(int32_t x, int32_t y, int32_t width, int32_t height, const char* text) {}
    // Keeps the caret inside the cell.
    virtual void fit() {}
    virtual void draw() {}
    // One character (keyDown 0, from WM_CHAR) or one key (keyDown 1, a
    // virtual-key code): 1 handled, 2 handled and the input is complete.
    virtual int32_t key(uint32_t code, int32_t keyDown) { return 1; }
    // Writes the value into a cell buffer of the given size.
    virtual void commit(char* buffer, size_t capacity) {}
    // Hides the grid's caret when it is shown.
    void end();

    const char* text() const { return text_; }
    int32_t caretIndex() const { return caretIndex_; }
    int32_t selectAll() const { return selectAll_; }
    int32_t maxLength() const { return maxLength_; }

protected:
    // Copies the text into the buffer: cut to its size - 1, terminated.
    static void copyOut(const char* text, char* buffer, size_t capacity);
    bool allows(uint32_t code) const;
    // The editor's white box with its black frame over the cell.
    void drawFrame(HDC dc) const;

    InputTablePane* table_;
    int32_t maxLength_;
    const char* allowed_;
    int32_t x_ = 0, y_ = 0, width_ = 0, height_ = 0;
    int32_t caretIndex_ = 0;
    int32_t caretX_ = 0;
    char text_[TextSize] = {};
    int32_t selectAll_ = 0;
    zBrush brush_{WHITE_BRUSH};
    zPen pen_{BLACK_PEN};
};
