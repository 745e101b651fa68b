#include "framework/tables/zTreeItem.h"

#include <cstring>

#include "framework/core/zDisplay.h"
#include "framework/tables/zTreeCtrl.h"

zTreeItem::~zTreeItem()
{
    if (children) {
        zDListIter<zTreeItem> it(*children);
        while (zTreeItem* child = it.next()) {
            it.remove();
            delete child;
        }
        delete children;
        children = nullptr;
    }
    if (owner)
        owner->forget(this);
}

void zTreeItem::draw(zTreeCtrl* tree, POINT at)
{
    zDisplay* d = tree->display();
    const HDC dc = d->hdc();
    int32_t x = at.x;
    const int32_t top = at.y + 1;
    const bool pictureColumn = tree->treeStyle & zTreeCtrl::PictureColumn;
    if (picture < 0 && tree->strip && pictureColumn)
        x += tree->strip->width() + 5;
    if (tree->buttons && tree->hasChildren(this)) {
        const int32_t boxTop = at.y + 1 + (tree->itemHeight - 11) / 2;
        d->pushPen(&tree->boxPen);
        Rectangle(dc, x, boxTop, x + 11, boxTop + 11);
        d->popPen().release();
        d->pushPen(&tree->signPen);
        MoveToEx(dc, x + 2, boxTop + 5, nullptr);
        LineTo(dc, x + 9, boxTop + 5);
        if (!expanded) {
            MoveToEx(dc, x + 5, boxTop + 2, nullptr);
            LineTo(dc, x + 5, boxTop + 9);
        }
        d->popPen().release();
        x += 16;
    } else if (pictureColumn) {
        x += 16;
    }
    if (picture >= 0 && tree->strip) {
        const bool useSelected =
            selectedPicture >= 0 && (expanded || (selected && (tree->treeStyle & zTreeCtrl::SelectedPictureWhenSelected)));
        const int32_t n = useSelected ? selectedPicture : picture;
        tree->strip->drawAt(d, x, top + (tree->itemHeight - tree->strip->height()) / 2, n);
        x += tree->strip->width() + 5;
    }
    const int32_t length = int32_t(std::strlen(text.c_str()));
    if (!length)
        return;
    if (selected) {
        const zColor fore = d->textColor(zColor::fromColorRef(GetSysColor(COLOR_HIGHLIGHTTEXT)));
        const zColor back = d->backColor(zColor::fromColorRef(GetSysColor(COLOR_HIGHLIGHT)));
        const int32_t mode = d->backMode();
        d->setBackMode(OPAQUE);
        TextOutA(dc, x, top, text.c_str(), length);
        d->setBackMode(mode);
        d->textColor(fore);
        d->backColor(back);
    } else {
        TextOutA(dc, x, top, text.c_str(), length);
    }
}
