#include "app/windows/AlphaEdit.h"

#include <cstring>

#include "app/windows/InputTablePane.h"

const char* const AlphaEdit::NameSet =
    "áàâqwertzuiopäöülkjhgfdsayxcvbnm_ß-QWERTZUIOPÄÖÜLKJHGFDSAYXCVBNM,. ";
const char* const AlphaEdit::ClassSet =
    "0123456789qwertzuiopäöülkjhgfdsayxcvbnm_ß-QWERTZUIOPÄÖÜLKJHGFDSAYXCVBNM,. ";

AlphaEdit::AlphaEdit(InputTablePane* table, int32_t maxLength, const char* allowed)
    : EditCell(table, maxLength, allowed)
{
}

int32_t AlphaEdit::length() const { return static_cast<int32_t>(std::strlen(text_)); }

int32_t AlphaEdit::extent(HDC dc, int32_t from, int32_t n) const
{
    SIZE s{0, 0};
    if (dc && n > 0)
        GetTextExtentPoint32A(dc, text_ + from, n, &s);
    return s.cx;
}

int32_t AlphaEdit::fitting(HDC dc, int32_t from) const
{
    const int32_t n = length() - from;
    if (!dc || n <= 0)
        return n > 0 ? n : 0;
    INT fit = 0;
    SIZE s{};
    const int avail = width_ - 10 > 0 ? width_ - 10 : 0;
    if (!GetTextExtentExPointA(dc, text_ + from, n, avail, &fit, nullptr, &s))
        return n;
    return fit;
}

void AlphaEdit::begin(int32_t x, int32_t y, int32_t width, int32_t height, const char* text)
{
    x_ = x;
    y_ = y;
    width_ = width;
    height_ = height;
    firstVisible_ = 0;
    if (!text || !*text) {
        text_[0] = 0;
        caretIndex_ = caretX_ = visibleCount_ = 0;
    } else {
        copyOut(text, text_, sizeof text_);
        caretIndex_ = visibleCount_ = length();
        HDC dc = table_->takeDisplay();
        caretX_ = extent(dc, 0, caretIndex_);
        table_->giveDisplay();
    }
    fit();
    draw();
    table_->showCaret();
    selectAll_ = 1;
}

void AlphaEdit::fit()
{
    HDC dc = table_->takeDisplay();
    const int32_t len = length();
    if (caretIndex_ > len)
        caretIndex_ = len;
    if (firstVisible_ > caretIndex_)
        firstVisible_ = caretIndex_;
    const int32_t avail = width_ - 10;
    if (caretIndex_ >= len) {
        while (firstVisible_ < len && extent(dc, firstVisible_, len - firstVisible_) > avail)
            ++firstVisible_;
        caretX_ = extent(dc, firstVisible_, len - firstVisible_) + 1;
        visibleCount_ = caretIndex_ - firstVisible_;
    } else {
        if (caretIndex_ == firstVisible_ - 1 || caretIndex_ < firstVisible_) {
            int32_t back = visibleCount_ / 2;
            if (back < 1)
                back = 1;
            firstVisible_ -= back;
            if (firstVisible_ > caretIndex_)
                firstVisible_ = caretIndex_;
            if (firstVisible_ < 0)
                firstVisible_ = 0;
        }
        visibleCount_ = fitting(dc, firstVisible_);
        // A caret right of the part that fits pulls the text along.
        while (caretIndex_ > firstVisible_ + visibleCount_ && firstVisible_ < caretIndex_) {
            ++firstVisible_;
            visibleCount_ = fitting(dc, firstVisible_);
        }
        caretX_ = caretIndex_ <= firstVisible_ ? 0 : extent(dc, firstVisible_, caretIndex_ - firstVisible_);
    }
    table_->giveDisplay();
}

void AlphaEdit::draw()
{
    const bool shown = table_->suspendCaret();
    HDC dc = table_->takeDisplay();
    if (dc) {
        drawFrame(dc);
        const COLORREF oldText = GetTextColor(dc);
        const COLORREF oldBack = GetBkColor(dc);
        const int oldMode = GetBkMode(dc);
        if (selectAll_ == 1) {
            SetBkColor(dc, GetSysColor(COLOR_ACTIVECAPTION));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            SetBkMode(dc, OPAQUE);
        } else {
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkMode(dc, TRANSPARENT);
        }
        if (visibleCount_ > 0)
            TextOutA(dc, x_ + 3, y_ + 3, text_ + firstVisible_, visibleCount_);
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
        SetBkMode(dc, oldMode);
    }
    table_->giveDisplay();
    table_->placeCaret(x_ + caretX_ + 2, y_ + 3);
    table_->resumeCaret(shown);
}

bool AlphaEdit::store(char c)
{
    const int32_t len = length();
    if (len >= maxLength_)
        return false;
    std::memmove(text_ + caretIndex_ + 1, text_ + caretIndex_, size_t(len - caretIndex_ + 1));
    text_[caretIndex_] = c;
    ++caretIndex_;
    return true;
}

void AlphaEdit::moveLeft()
{
    if (firstVisible_ + 1 < caretIndex_) {
        --caretIndex_;
    } else if (firstVisible_ == 0) {
        caretIndex_ = 0;
    } else {
        --firstVisible_;
        --caretIndex_;
    }
    fit();
}

void AlphaEdit::moveRight()
{
    const int32_t len = length();
    if (caretIndex_ < firstVisible_ + visibleCount_) {
        ++caretIndex_;
    } else if (firstVisible_ + visibleCount_ < len) {
        firstVisible_ += visibleCount_ - visibleCount_ / 2;
        if (caretIndex_ < len)
            ++caretIndex_;
    }
    fit();
}

int32_t AlphaEdit::key(uint32_t code, int32_t keyDown)
{
    if (keyDown == 0 && allows(code)) {
        const char c = static_cast<char>(code);
        if (!admits(c))
            return 1;
        if (selectAll_ == 1) {
            text_[0] = 0;
            caretIndex_ = firstVisible_ = 0;
        }
        store(c);
        fit();
        selectAll_ = 0;
        draw();
        return 1;
    }
    // Characters and keys are kept apart: of the characters only Backspace
    // edits; any other refused character does nothing, so "." is never
    // taken for the Delete key nor "#" for End.
    if (keyDown == 0 && code != VK_BACK)
        return 1;
    const int32_t wasMarked = selectAll_;
    switch (code) {
    case VK_HOME:
        caretIndex_ = firstVisible_ = 0;
        selectAll_ = 0;
        fit();
        break;
    case VK_END:
        caretIndex_ = visibleCount_ = length();
        selectAll_ = 0;
        fit();
        break;
    case VK_RETURN:
        selectAll_ = 1;
        break;
    case VK_LEFT:
    case VK_RIGHT: {
        const int32_t shownFrom = firstVisible_;
        if (code == VK_LEFT)
            moveLeft();
        else
            moveRight();
        selectAll_ = 0;
        // Nothing was marked: only the caret moves.
        if (!wasMarked && firstVisible_ == shownFrom) {
            table_->placeCaret(x_ + caretX_ + 2, y_ + 3);
            return 1;
        }
        break;
    }
    case VK_BACK:
        // Backspace at the start of the text has nothing to delete.
        if (caretIndex_ > 0) {
            moveLeft();
            std::memmove(text_ + caretIndex_, text_ + caretIndex_ + 1, std::strlen(text_ + caretIndex_));
            fit();
        }
        selectAll_ = 0;
        break;
    case VK_DELETE:
        if (selectAll_ == 1) {
            text_[0] = 0;
            caretIndex_ = firstVisible_ = 0;
            selectAll_ = 0;
        } else if (caretIndex_ < length()) {
            std::memmove(text_ + caretIndex_, text_ + caretIndex_ + 1, std::strlen(text_ + caretIndex_));
        }
        fit();
        break;
    default:
        return 1;
    }
    draw();
    return 1;
}

void AlphaEdit::commit(char* buffer, size_t capacity) { copyOut(text_, buffer, capacity); }
