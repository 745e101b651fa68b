// How a text cell draws itself on a display. The native build has no
// displays: there a cell draws nothing.
#include "framework/tables/zTableCell.h"

#ifdef _WIN32
#include <windows.h>

#include <cstring>
#include <memory>

#include "framework/core/zDisplay.h"
#include "framework/core/zLogMeasure.h"
#include "framework/core/zRegion.h"
#include "framework/tables/ziTableEnv.h"

void zTableTextCell::drawText(const char* shown, const zRect& rc, zDisplay* display, ziTableEnv* env)
{
    static constexpr int32_t applied[] = {1, 2, 3};
    for (int32_t kind : applied)
        if (zTableAttr* a = env->slot(kind))
            a->apply(display);
    const HDC dc = display->hdc();
    if (env->current) {
        display->pushPen(new zPen(BLACK_PEN));
        Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
        display->popPen();
    } else {
        Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);
    }
    int32_t inset = 3;
    if (display->kind() == zDisplay::Printer)
        inset = zLoEnglish(3, 3, display).deviceY();
    const int32_t length = int32_t(std::strlen(shown));
    const auto* align = static_cast<zTableAlignAttr*>(env->slot(zTableAttr::Alignment));
    const uint8_t how = align ? align->alignment : uint8_t(zTableAlignAttr::Left);
    if (how == zTableAlignAttr::Right) {
        const int32_t w = display->textExtent(shown).cx;
        const int32_t x = rc.right - inset - w;
        if (w > rc.width() - inset) {
            // Too wide: clipped to the inset rectangle, so its end stays
            // visible.
            zRectRegion clip(rc.left + inset, rc.top + inset, rc.right - inset, rc.bottom - inset);
            SelectClipRgn(dc, clip.handle());
            TextOutA(dc, x, rc.top + inset, shown, length);
            SelectClipRgn(dc, nullptr);
        } else {
            TextOutA(dc, x, rc.top + inset, shown, length);
        }
    } else if (how == zTableAlignAttr::Centred) {
        const int32_t w = display->textExtent(shown).cx;
        TextOutA(dc, rc.left + inset + (rc.width() - w) / 2, rc.top + inset, shown, length);
    } else {
        TextOutA(dc, rc.left + inset, rc.top + inset, shown, length);
    }
    for (int32_t kind : {1, 3})
        if (zTableAttr* a = env->slot(kind))
            a->restore(display);
    if (env->selected)
        PatBlt(dc, rc.left, rc.top, rc.width(), rc.height(), DSTINVERT);
    if (env->current) {
        display->pushPen(new zPen(BLACK_PEN));
        MoveToEx(dc, rc.left + 1, rc.top + 1, nullptr);
        LineTo(dc, rc.left + 1, rc.bottom - 2);
        LineTo(dc, rc.right - 2, rc.bottom - 2);
        LineTo(dc, rc.right - 2, rc.top + 1);
        LineTo(dc, rc.left + 1, rc.top + 1);
        display->popPen();
    }
    if (zTableAttr* a = env->slot(2))
        a->restore(display);
}

#else

void zTableTextCell::drawText(const char*, const zRect&, zDisplay*, ziTableEnv*) {}

#endif
