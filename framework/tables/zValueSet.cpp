#include "framework/tables/zValueSet.h"

#include "framework/core/zDisplay.h"

zValueSet::zValueSet(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPaneControl(parent, sizer, style, title, id), choiceFrame((style & 1) ? 0 : 1)
{
    addNotify(this, zProc(&zValueSet::keyDown), WM_KEYDOWN);
    bevelDepth = inset;
}

zValueSet::~zValueSet() { removeNotify(this, zProc(&zValueSet::keyDown)); }

zRect zValueSet::cellRect(const Cell& c) const
{
    const int32_t pitchX = pictureWidth() + 2 * inset + gap, pitchY = pictureHeight() + 2 * inset + gap;
    const int32_t l = margin + c.column * pitchX, t = margin + c.row * pitchY;
    return {l, t, l + pitchX - gap, t + pitchY - gap};
}

bool zValueSet::hitTest(int32_t x, int32_t y, Cell& cell) const
{
    if (!strip)
        return false;
    const int32_t w = pictureWidth(), h = pictureHeight();
    const int32_t pitchX = w + 2 * inset + gap, pitchY = h + 2 * inset + gap;
    const int32_t px = x - margin, py = y - margin;
    if (px < 0 || py < 0 || pitchX <= 0 || pitchY <= 0)
        return false;
    const int32_t rx = px % pitchX, ry = py % pitchY;
    if (rx < inset || rx > w + inset || ry < inset || ry > h + inset)
        return false;
    const Cell c{px / pitchX, py / pitchY};
    if (c.column > columns - 1 || c.row > rows - 1)
        return false;
    cell = c;
    return true;
}

void zValueSet::invalidateChoice()
{
    if (showChoice && choiceFrame && hwnd_) {
        zRect r = cellRect(choice_);
        r = {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
        display()->invalidateRect(&r, 0);
    }
}

void zValueSet::choose(const Cell& cell)
{
    if (cell == choice_)
        return;
    invalidateChoice();
    choice_ = cell;
    invalidateChoice();
    notifyParent(1);
}

int zValueSet::keyDown(zEvent* ev)
{
    Cell next = choice_;
    switch (ev->wParam) {
    case VK_LEFT:
        if (next.column > 0)
            --next.column;
        break;
    case VK_UP:
        if (next.row > 0)
            --next.row;
        break;
    case VK_RIGHT:
        if (next.column <= columns - 2)
            ++next.column;
        break;
    case VK_DOWN:
        if (next.row <= rows - 2)
            ++next.row;
        break;
    default: break;
    }
    choose(next);
    return 1;
}

int zValueSet::mouseButtonDown(zEvent* ev)
{
    if (keyboard && hwnd_ && IsWindow(hwnd_))
        SetFocus(hwnd_);
    Cell cell;
    if (hitTest(int16_t(LOWORD(ev->lParam)), int16_t(HIWORD(ev->lParam)), cell))
        choose(cell);
    return 1;
}

int zValueSet::validate()
{
    if (!bound)
        return 0;
    *bound = choice_;
    return 1;
}

int zValueSet::transferIn()
{
    choose(bound ? *bound : Cell{});
    return 1;
}

void zValueSet::drawChoiceFrame(const zRect& r)
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    d->pushBrush(new zBrush(NULL_BRUSH));
    d->pushPen(new zPen(BLACK_PEN));
    Rectangle(dc, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
    Rectangle(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
    d->popPen();
    d->pushPen(new zPen(WHITE_PEN));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    d->popPen();
    d->popBrush();
}

void zValueSet::drawBevel(const zRect& r)
{
    zDisplay* d = display();
    const HDC dc = d->hdc();
    const int32_t depth = bevelDepth;
    for (int32_t side = 0; side < 2; ++side) {
        for (int32_t k = 0; k < depth; ++k) {
            const bool inner = k == depth - 1 && depth > 1;
            zColor c = side == 0 ? zColor{128, 128, 128, 0} : zColor{255, 255, 255, 0};
            if (inner)
                c = side == 0 ? zColor{0, 0, 0, 0} : zColor{192, 192, 192, 0};
            d->pushPen(new zPen(PS_SOLID, 1, c));
            if (side == 0) {  // bottom and right
                MoveToEx(dc, r.left + k, r.bottom - 1 - k, nullptr);
                LineTo(dc, r.right - 1 - k, r.bottom - 1 - k);
                LineTo(dc, r.right - 1 - k, r.top + k - 1);
            } else {  // top and left
                MoveToEx(dc, r.right - 2 - k, r.top + k, nullptr);
                LineTo(dc, r.left + k, r.top + k);
                LineTo(dc, r.left + k, r.bottom - 1 - k);
            }
            d->popPen();
        }
    }
}

int zValueSet::draw(zEvent*)
{
    zDisplay* d = display();
    d->acquire();
    const zRect paint = d->paintRect();
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            const Cell cell{c, r};
            const zRect rc = cellRect(cell);
            zRect meet;
            meet.intersect({rc.left - 1, rc.top - 1, rc.right + 1, rc.bottom + 1}, paint);
            if (meet.width() <= 0)
                continue;
            if (strip) {
                const size_t i = size_t(r) * size_t(columns) + size_t(c);
                const int32_t picture = i < values.size() ? values[i].picture : (values.empty() ? 0 : values[0].picture);
                strip->draw(d, POINT{rc.left + inset, rc.top + inset}, picture);
            }
            if (cell == choice_ && choiceFrame && showChoice)
                drawChoiceFrame(rc);
            else
                drawBevel(rc);
        }
    }
    d->release();
    return 1;
}
