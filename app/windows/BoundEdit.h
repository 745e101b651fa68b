#pragma once
// A two-digit birth year that must lie within the class's range of years.
#include "app/windows/AlphaEdit.h"

class BoundEdit : public AlphaEdit {
public:
    // A two-digit bound of this value means "no bound".
    static constexpr int32_t NoBound = 50;

    BoundEdit(InputTablePane* table, int32_t maxLength, int32_t lower, int32_t upper);

    // Two-digit bounds of the class: 50 is no bound (1900 and 2999); a
    // value below 80 means 20yy, any other 19yy; swapped when upper ends
    // below lower.
    void setRange(int32_t lower, int32_t upper);
    int32_t lower() const { return lower_; }
    int32_t upper() const { return upper_; }

protected:
    bool admits(char c) const override;
    bool store(char c) override;

private:
    // Where the next digit goes: the start while the text is marked.
    int32_t position() const { return selectAll_ == 1 ? 0 : caretIndex_; }

    int32_t lower_ = 1900;
    int32_t upper_ = 2999;
};
