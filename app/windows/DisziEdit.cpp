#include "app/windows/DisziEdit.h"

#include <cstring>

#include "app/windows/DisziFlagTable.h"
#include "app/windows/InputTablePane.h"

DisziEdit::DisziEdit(InputTablePane* table, int32_t tableIndex)
    : AlphaEdit(table, 99, "0123456789+-xX"), tableIndex_(tableIndex)
{
}

void DisziEdit::begin(int32_t x, int32_t y, int32_t width, int32_t height, const char* text)
{
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    row_ = table_->cellRow();
    discipline_ = table_->cellColumn() - 3;
    copyOut(text ? text : "", text_, sizeof text_);
    templateLength_ = length();
    caretIndex_ = caretX_ = 0;
    draw();
    table_->showCaret();
    selectAll_ = 1;
}

void DisziEdit::draw()
{
    const bool shown = table_->suspendCaret();
    HDC dc = table_->takeDisplay();
    if (dc) {
        drawFrame(dc);
        const int oldMode = SetBkMode(dc, TRANSPARENT);
        const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        TextOutA(dc, x_ + 3, y_ + 3, text_, length());
        SetBkMode(dc, oldMode);
        SetTextColor(dc, oldText);
        caretX_ = extent(dc, 0, caretIndex_);
    }
    table_->giveDisplay();
    table_->placeCaret(x_ + caretX_ + 3, y_ + 3);
    table_->resumeCaret(shown);
}

void DisziEdit::zeroDigits()
{
    for (char* p = text_; *p; ++p)
        if (!isSeparator(*p))
            *p = '0';
}

int32_t DisziEdit::key(uint32_t code, int32_t keyDown)
{
    if (keyDown == 0 && allows(code) && (code < '0' || code > '9')) {
        if (uint8_t* f = gDisziFlags.flagsOf(tableIndex_, row_)) {
            if (discipline_ >= 0 && discipline_ < 8) {
                const uint8_t bit = uint8_t(1u << discipline_);
                if (code == '+')
                    *f |= bit;
                else if (code == '-')
                    *f &= uint8_t(~bit);
                else
                    *f ^= bit;
            }
        }
        if (!gDisziFlags.isSet(tableIndex_, row_, discipline_))
            zeroDigits();
        draw();
        return 2;
    }
    if (keyDown == 0 && allows(code)) {
        if (caretIndex_ < templateLength_ && !isSeparator(text_[caretIndex_])) {
            text_[caretIndex_] = static_cast<char>(code);
            ++caretIndex_;
            if (caretIndex_ < templateLength_ && isSeparator(text_[caretIndex_]))
                ++caretIndex_;
        }
    } else if (keyDown == 0 && code != VK_BACK) {
        return 1;  // a refused character never acts as a key
    } else {
        switch (code) {
        case VK_HOME:
            caretIndex_ = 0;
            selectAll_ = 0;
            break;
        case VK_END:
            caretIndex_ = templateLength_;
            selectAll_ = 0;
            break;
        case VK_BACK:
            if (caretIndex_ > 0) {
                int32_t at = caretIndex_ - 1;
                if (isSeparator(text_[at]) && at > 0)
                    --at;
                if (!isSeparator(text_[at]))
                    text_[at] = '0';
            }
            [[fallthrough]];
        case VK_LEFT:
            if (caretIndex_ > 0) {
                --caretIndex_;
                if (caretIndex_ > 0 && isSeparator(text_[caretIndex_]))
                    --caretIndex_;
            }
            break;
        case VK_RIGHT:
            if (caretIndex_ < templateLength_) {
                ++caretIndex_;
                if (caretIndex_ < templateLength_ && isSeparator(text_[caretIndex_]))
                    ++caretIndex_;
            }
            selectAll_ = 0;
            break;
        default:
            return 1;
        }
    }
    draw();
    return 1;
}

void DisziEdit::commit(char* buffer, size_t capacity)
{
    copyOut(text_, buffer, capacity);
    // A performance ticks its discipline.
    for (const char* p = text_; *p; ++p) {
        if (!isSeparator(*p) && *p > '0') {
            if (uint8_t* f = gDisziFlags.flagsOf(tableIndex_, row_))
                if (discipline_ >= 0 && discipline_ < 8)
                    *f |= uint8_t(1u << discipline_);
            break;
        }
    }
}
