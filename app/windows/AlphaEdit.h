#pragma once
// Free text from a set of characters, scrolling sideways inside the cell
// (names and school classes).
#include <windows.h>

#include "app/windows/EditCell.h"

class AlphaEdit : public EditCell {
public:
    // Names: letters with umlauts and accented a, "_", "-", ",", "." and blank.
    static const char* const NameSet;
    // School classes: digits and the same letters and signs, no accented a.
    static const char* const ClassSet;

    AlphaEdit(InputTablePane* table, int32_t maxLength, const char* allowed);

    void begin(int32_t x, int32_t y, int32_t width, int32_t height, const char* text) override;
    void fit() override;
    void draw() override;
    int32_t key(uint32_t code, int32_t keyDown) override;
    void commit(char* buffer, size_t capacity) override;

    int32_t firstVisible() const { return firstVisible_; }
    int32_t visibleCount() const { return visibleCount_; }

protected:
    // Stores an accepted character at the caret; false when it is refused
    // (the text is full). Runs after the marked text was dropped.
    virtual bool store(char c);
    // Whether an accepted character may be stored; checked before the
    // marked text is dropped, so a refused one changes nothing.
    virtual bool admits(char c) const { return true; }
    // Width of n characters of the text from index `from`.
    int32_t extent(HDC dc, int32_t from, int32_t n) const;
    // How many characters from `from` fit into the cell.
    int32_t fitting(HDC dc, int32_t from) const;
    int32_t length() const;
    void moveLeft();
    void moveRight();

    int32_t firstVisible_ = 0;
    int32_t visibleCount_ = 0;
};
