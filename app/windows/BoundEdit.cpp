#include "app/windows/BoundEdit.h"

namespace {

int32_t fullYear(int32_t twoDigits)
{
    return twoDigits < 80 ? 2000 + twoDigits : 1900 + twoDigits;
}

}  // namespace

BoundEdit::BoundEdit(InputTablePane* table, int32_t maxLength, int32_t lower, int32_t upper)
    : AlphaEdit(table, maxLength, "0123456789")
{
    setRange(lower, upper);
}

void BoundEdit::setRange(int32_t lower, int32_t upper)
{
    lower_ = lower == NoBound ? 1900 : fullYear(lower);
    upper_ = upper == NoBound ? 2999 : fullYear(upper);
    if (upper_ < lower_) {
        const int32_t t = lower_;
        lower_ = upper_;
        upper_ = t;
    }
}

bool BoundEdit::admits(char c) const
{
    const int32_t pos = position();
    if (pos >= maxLength_ || pos > 1)
        return false;
    const int32_t d = c - '0';
    if (pos == 0) {
        const int32_t decade = d <= 7 ? 200 + d : 190 + d;
        return decade >= lower_ / 10 && decade <= upper_ / 10;
    }
    const int32_t f = text_[0] - '0';
    if (f < 0 || f > 9)
        return false;
    const int32_t year = (f <= 7 ? 2000 : 1900) + 10 * f + d;
    return year >= lower_ && year <= upper_;
}

bool BoundEdit::store(char c)
{
    // The digit is written at the caret and the text ends right after it.
    text_[caretIndex_] = c;
    text_[caretIndex_ + 1] = 0;
    ++caretIndex_;
    return true;
}
