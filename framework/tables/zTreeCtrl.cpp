#include "framework/tables/zTreeCtrl.h"

#include <algorithm>
#include <cstring>

#include "framework/core/zDisplay.h"
#include "framework/core/zScrollInfo.h"

zTreeCtrl::zTreeCtrl(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPaneControl(parent, sizer, style | WS_VSCROLL | WS_HSCROLL, title, id), treeStyle(uint8_t(style & 0xFF))
{
    backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_WINDOW)));
    vInfo_ = std::make_unique<zScrollInfoVert>(this);
    hInfo_ = std::make_unique<zScrollInfoHoriz>(this);
    vertScroll() = vInfo_.get();
    horzScroll() = hInfo_.get();
    addNotify(this, zProc(&zTreeCtrl::keyDown), WM_KEYDOWN);
    // Measured before the scroller asks for the content size.
    measure();
    treeScroller_ = std::make_unique<ziTreeCtrlScroller>(this);
    setScroller(treeScroller_.get());
    measure();
}

zTreeCtrl::~zTreeCtrl()
{
    treeScroller_.reset();
    setScroller(nullptr);
    removeNotify(this, zProc(&zTreeCtrl::keyDown));
    strip.reset();
    zDListIter<zTreeItem> it(items_);
    while (zTreeItem* item = it.next()) {
        it.remove();
        item->owner = nullptr;
        delete item;
    }
    vertScroll() = nullptr;
    horzScroll() = nullptr;
}

bool zTreeCtrl::walk(const std::function<bool(zTreeItem*, int32_t, int32_t)>& visit)
{
    int32_t index = 0;
    std::function<bool(zTreeItemDList&, int32_t)> level = [&](zTreeItemDList& list, int32_t depth) {
        zDListIter<zTreeItem> it(list);
        while (zTreeItem* item = it.next()) {
            item->level = depth;
            if (visit(item, depth, index++))
                return true;
            if (item->expanded && item->children && level(*item->children, depth + 1))
                return true;
        }
        return false;
    };
    return level(items_, 0);
}

int32_t zTreeCtrl::visibleIndex(const zTreeItem* item)
{
    int32_t found = -1;
    walk([&](zTreeItem* i, int32_t, int32_t index) {
        if (i != item)
            return false;
        found = index;
        return true;
    });
    return found;
}

zTreeItem* zTreeCtrl::itemAt(int32_t index)
{
    zTreeItem* found = nullptr;
    if (index < 0)
        return nullptr;
    walk([&](zTreeItem* i, int32_t, int32_t n) {
        if (n != index)
            return false;
        found = i;
        return true;
    });
    return found;
}

bool zTreeCtrl::hasChildren(zTreeItem* item)
{
    if (item->children)
        return true;
    Notify record{item, HasChildren};
    return notify(record) != 0;
}

void zTreeCtrl::measure()
{
    display()->acquire();
    const SIZE m = display()->textExtent("MMM MMM MMM", 9);
    display()->release();
    itemHeight = std::max<int32_t>(m.cy + m.cy / 4, 1);
    if (indent == -1)
        indent = m.cx / 3;
    if (treeScroller_) {
        treeScroller_->setStepY(itemHeight);
        treeScroller_->setPageY(4 * itemHeight);
    }
    vInfo_->setPage(4);
}

void zTreeCtrl::setFont(zFont* font, int redraw)
{
    if (font && font != display()->font())
        display()->swapFont(font);  // the previous font is deleted
    indent = -1;
    measure();
    if (drawn && treeScroller_)
        treeScroller_->reset();
    display()->invalidateRect(nullptr, 1);
    if (redraw && hwnd_)
        UpdateWindow(hwnd_);
}

void zTreeCtrl::invalidateLine(zTreeItem* item)
{
    const int32_t i = visibleIndex(item);
    if (i < 0 || !hwnd_)
        return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT org = display()->windowOrg();
    const zRect r{org.x, i * itemHeight, org.x + client.right, (i + 1) * itemHeight + 1};
    display()->invalidateRect(&r, 1);
}

void zTreeCtrl::invalidateFrom(zTreeItem* item)
{
    const int32_t i = visibleIndex(item);
    if (!hwnd_)
        return;
    if (i < 0) {
        display()->invalidateRect(nullptr, 1);
        return;
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT org = display()->windowOrg();
    const zRect r{org.x, i * itemHeight, org.x + client.right, org.y + client.bottom};
    display()->invalidateRect(&r, 1);
}

void zTreeCtrl::forget(zTreeItem* item)
{
    Notify record{item, Deleted};
    notify(record);
    if (selection_ == item)
        selection_ = nullptr;
    if (bound && *bound == item)
        *bound = nullptr;
}

int32_t zTreeCtrl::change(zTreeItem* item, int32_t code)
{
    Notify record{item, code};
    switch (code) {
    case Selected:
        notify(record);
        notifyParent(Selected);
        return 0;
    case Deselected:
    case Deleted: return notify(record);
    case HasChildren: return notify(record);
    case Toggle:
    case ToggleNoReset: {
        if (notify(record))
            return 1;
        bool collapsed = false;
        if (!item->expanded) {
            Notify expand{item, Expand};
            if (notify(expand))
                return 1;
            item->expanded = 1;
        } else {
            item->expanded = 0;
            collapsed = true;
        }
        invalidateFrom(item);
        if (code == Toggle && treeScroller_)
            treeScroller_->reset();
        if (collapsed) {
            Notify done{item, Collapse};
            notify(done);
        }
        return 0;
    }
    case SelectByPicture:
    case Select:
        if (notify(record))
            return 1;
        select(item);
        return 0;
    case Activate:
        if (notify(record))
            return 1;
        notifyParent(Activate);
        return change(item, Toggle);
    case Expand:
        if (notify(record))
            return 1;
        if (!item->expanded) {
            item->expanded = 1;
            invalidateFrom(item);
            if (treeScroller_)
                treeScroller_->reset();
        }
        return 0;
    case Collapse:
        if (item->expanded) {
            item->expanded = 0;
            invalidateFrom(item);
            notify(record);
        }
        return 0;
    default: return notify(record);
    }
}

void zTreeCtrl::select(zTreeItem* item)
{
    if (item == selection_)
        return;
    if (zTreeItem* old = selection_) {
        old->selected = 0;
        change(old, Deselected);
        invalidateLine(old);
        if (hwnd_)
            UpdateWindow(hwnd_);
    }
    if (item)
        item->selected = 1;
    selection_ = item;
    change(item, Selected);
    if (item) {
        invalidateLine(item);
        if (hwnd_)
            UpdateWindow(hwnd_);
        scrollIntoView(item);
    }
}

int32_t zTreeCtrl::scrollIntoView(zTreeItem* item)
{
    const int32_t i = item ? visibleIndex(item) : -1;
    if (i < 0 || !hwnd_)
        return 0;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int32_t origin = display()->windowOrg().y;
    const int32_t firstLine = origin / itemHeight;
    const int32_t lastFull = (client.bottom + origin - itemHeight) / itemHeight;
    int32_t target = -1;
    if (i < firstLine)
        target = i;
    else if (i > lastFull)
        target = i - client.bottom / itemHeight + 1;
    if (target < 0)
        return 1;
    vInfo_->jumpTo(target);
    if (treeScroller_)
        treeScroller_->vertThumb();
    return 2;
}

int32_t zTreeCtrl::hitPart(zTreeItem* item, int32_t x)
{
    const int32_t pictureWidth = strip ? strip->width() : 0;
    const bool hasPicture = item->picture >= 0 && strip;
    const bool box = buttons && hasChildren(item);
    int32_t xp = x - item->level * indent - 3;
    if (treeStyle & PictureColumn) {
        if (!hasPicture && strip)
            xp -= pictureWidth;
        if (box) {
            xp -= 11;
            if (xp < 1)
                return 1;
        }
    } else if (box) {
        if (x - item->level * indent - 14 < 1)
            return 1;
        xp -= 16;
    }
    if (hasPicture && xp - pictureWidth < 1)
        return 2;
    return 0;
}

int zTreeCtrl::mouseButtonDown(zEvent* ev)
{
    if (!focused && hwnd_ && IsWindow(hwnd_))
        SetFocus(hwnd_);
    const POINT org = display()->windowOrg();
    const int32_t x = int16_t(LOWORD(ev->lParam)), y = int16_t(HIWORD(ev->lParam));
    zTreeItem* item = itemAt((y + org.y) / itemHeight);
    if (!item)
        return 1;
    const int32_t part = hitPart(item, x + org.x);
    change(item, part == 0 ? Select : part == 1 ? Toggle : SelectByPicture);
    if (!ziMouseMsg::isButton(ev->message, 1))
        return 1;
    if (!((treeStyle & SingleClick) && part != 1)) {
        const DWORD now = GetTickCount();
        if (lastClick + GetDoubleClickTime() < now) {
            lastClick = now;
        } else {
            lastClick = 0;
            if (part != 1)
                change(item, Activate);
        }
    } else {
        lastClick = 0;
        change(item, Activate);
    }
    return 1;
}

int zTreeCtrl::focus(zEvent* ev)
{
    focused = ev->message == WM_SETFOCUS ? 1 : 0;
    return zPaneControl::focus(ev);
}

int zTreeCtrl::keyDown(zEvent* ev)
{
    zTreeItem* sel = selection_;
    if (!sel)
        return 0;
    const int32_t i = visibleIndex(sel);
    switch (ev->wParam) {
    case VK_LEFT:
        if (sel->expanded && hasChildren(sel))
            change(sel, Toggle);
        else if (zTreeItem* prev = itemAt(std::max(i - 1, 0)))
            change(prev, Select);
        break;
    case VK_UP:
        if (zTreeItem* prev = itemAt(std::max(i - 1, 0)))
            change(prev, Select);
        break;
    case VK_RIGHT:
        if (!sel->expanded && hasChildren(sel))
            change(sel, Toggle);
        else if (zTreeItem* next = itemAt(i + 1))
            change(next, Select);
        break;
    case VK_DOWN:
        if (zTreeItem* next = itemAt(i + 1))
            change(next, Select);
        break;
    default: break;
    }
    return 0;
}

int zTreeCtrl::preferredSize(int32_t& width, int32_t& height)
{
    int32_t count = 0, widest = 0;
    display()->acquire();
    walk([&](zTreeItem* item, int32_t depth, int32_t) {
        ++count;
        int32_t w = depth * indent + ((item->picture >= 0 && strip) ? strip->width() + 24 : 3);
        const int32_t length = int32_t(std::strlen(item->text.c_str()));
        if (length)
            w += display()->textExtent(item->text.c_str(), length).cx;
        widest = std::max(widest, w);
        return false;
    });
    display()->release();
    contentWidth = widest;
    width = std::max(widest, 1);
    height = std::max(count * itemHeight, 1);
    return 1;
}

int zTreeCtrl::validate()
{
    if (!bound)
        return 0;
    *bound = selection_;
    return 1;
}

int zTreeCtrl::transferIn()
{
    if (bound)
        select(*bound);
    return 1;
}

int zTreeCtrl::draw(zEvent*)
{
    drawn = 1;
    zDisplay* d = display();
    d->acquire();
    const zRect paint = d->paintRect();
    walk([&](zTreeItem* item, int32_t depth, int32_t index) {
        const int32_t y = index * itemHeight;
        if (y > paint.bottom)
            return true;
        if (y + itemHeight >= paint.top)
            item->draw(this, POINT{3 + depth * indent, y});
        return false;
    });
    d->release();
    return 1;
}
