#pragma once
// A performance typed in overwrite mode into a fixed template of digits and
// separators (for example 00,00); "+", "-", "x" and "X" set, clear and
// toggle the discipline's tick in the discipline-flag table.
#include "app/windows/AlphaEdit.h"

class DisziEdit : public AlphaEdit {
public:
    DisziEdit(InputTablePane* table, int32_t tableIndex);

    void begin(int32_t x, int32_t y, int32_t width, int32_t height, const char* text) override;
    void fit() override {}
    void draw() override;
    int32_t key(uint32_t code, int32_t keyDown) override;
    void commit(char* buffer, size_t capacity) override;

    int32_t row() const { return row_; }
    int32_t discipline() const { return discipline_; }

private:
    static bool isSeparator(char c) { return c == ',' || c == ':'; }
    void zeroDigits();

    int32_t templateLength_ = 0;
    int32_t row_ = 0;
    int32_t discipline_ = 0;
    int32_t tableIndex_;
};
