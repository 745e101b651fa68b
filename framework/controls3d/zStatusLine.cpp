#include "framework/controls3d/zStatusLine.h"

#include "classlib/GdiHandle.h"
#include "framework/controls3d/ziBorderManager.h"
#include "framework/controls3d/ziControlCompound.h"
#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/controls3d/zStatusItem.h"
#include "framework/core/zApplication.h"
#include "framework/core/zFont.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zMenu.h"
#include "framework/core/zSizer.h"

zStatusLine::zStatusLine(zWindow* parent, zSizer* sizer, uint32_t statusStyle, DWORD paneStyle,
                         zFont* font)
    : ziVisualPane(parent, sizer, paneStyle), style_(statusStyle)
{
    forward_ = 1;
    zDisplay* d = display();
    font_ = font ? font : new zFont("Helv", zFontSpec(zPrPoint(0, 100, d), 400));
    if (d) {
        ziAcquire hold(d);
        d->pushFont(font_);
    }
    layout();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    backgroundColor(zColor::fromColorRef(face));
    if (d) {
        d->backColor(zColor::fromColorRef(face));
        d->textColor(zColor::fromColorRef(GetSysColor(COLOR_BTNTEXT)));
    }
    faceCompound_ = new ziControlCompound(root_, new zSizer());
    root_->add(faceCompound_);
    attached_ = 1;
}

zStatusLine::~zStatusLine()
{
    // The items are visuals of the root compound; they go first, while the
    // status line they report to still exists.
    while (zStatusItem* item = items_.at(0))
        delete item;
    delete borders_;
    borders_ = nullptr;
    // A font still under another one stays with the display, which deletes it.
    zDisplay* d = display();
    if (d && d->font() == font_)
        d->popFont();  // the status line's own font, deleted now
    font_ = nullptr;
    if (attached_ && following_) {
        if (auto* frame = dynamic_cast<zFrameWin*>(owner()))
            if (frame->menu())
                frame->menu()->removeSelectHandler(this, zProc(&zStatusLine::onMenuSelect));
    }
}

void zStatusLine::layout()
{
    bevel_ = 2;
    TEXTMETRICA tm{};
    if (zDisplay* d = display())
        d->textMetrics(tm);
    height_ = 2 * bevel_ + tm.tmHeight + topInset_ + bottomInset_ + 2;
    if (zSizer* s = sizer()) {
        if (auto* g = dynamic_cast<zGravSizer*>(s)) {
            g->setFixedWidth(0);
            g->setFixedHeight(height_);
        }
        s->setExtent(0, height_);
        if (!borders_)
            borders_ = new ziBorderManager(s);
    }
    if (borders_) {
        borders_->setTop(bevel_ + topInset_);
        borders_->setRight(rightInset_ + 5);
        borders_->setBottom(bevel_ + bottomInset_);
        borders_->setLeft(leftInset_ + 5);
    }
}

zWindow* zStatusLine::owner() const
{
    zWindow* p = parent();
    if (!p)
        return nullptr;
    return forward_ ? p->parent() : p;
}

LRESULT zStatusLine::defWindowProc(zEvent* ev)
{
    return forwardToOwner(owner(), ev);
}

zRect zStatusLine::messageRect()
{
    zRect r = display() ? display()->extentRect() : zRect{};
    r.top = 2;
    return r;
}

int zStatusLine::draw(zEvent* ev)
{
    zDisplay* d = display();
    if (!d)
        return 1;
    ziAcquire hold(d);
    HDC dc = hold.dc();
    const zRect paint = d->paintRect();
    const zRect ext = d->extentRect();
    {
        RECT r{paint.left, paint.top, paint.right, paint.bottom};
        FillRect(dc, &r, TGdiHandle<HBRUSH>(CreateSolidBrush(effectiveBackground())));
    }
    const int32_t w = ext.width();
    {
        ziPenScope black(d, RGB(0, 0, 0));
        ziLine(dc, 0, 0, w, 0);
    }
    {
        ziPenScope white(d, RGB(255, 255, 255));
        ziLine(dc, 0, 1, w, 1);
    }
    if (messageArea_) {
        if (!message_.isEmpty()) {
            const SIZE s = ziTextExtent(d, message_.c_str(), int32_t(message_.length()));
            TextOutA(dc, ext.left + 16, (3 + ext.height()) / 2 - s.cy / 2, message_.c_str(),
                     int(message_.length()));
        }
    } else {
        ziVisualPane::draw(ev);
    }
    return 1;
}

void zStatusLine::addItem(zStatusItem* item) { items_.append(item); }
void zStatusLine::removeItem(zStatusItem* item)
{
    items_.remove(item);
    if (messageItem_ == item)
        messageItem_ = nullptr;
}

zStatusItem* zStatusLine::findItem(int32_t id)
{
    zStatusItemDListIter it(items_);
    while (zStatusItem* item = it.next())
        if (item->id() == id)
            return item;
    return nullptr;
}

void zStatusLine::setItemText(int32_t id, const char* text)
{
    if (zStatusItem* item = findItem(id))
        item->setText(text);
}

void zStatusLine::setMessage(const char* text)
{
    if (text && message_ == text)
        return;
    message_ = text ? text : "";
    const zRect r = messageRect();
    if (display())
        display()->invalidateRect(&r, 0);
}

void zStatusLine::messageModeOn()
{
    const zRect r = messageRect();
    if (display())
        display()->invalidateRect(&r, 0);
    messageArea_ = 1;
}

void zStatusLine::messageModeOff()
{
    const zRect r = messageRect();
    if (display())
        display()->invalidateRect(&r, 0);
    messageArea_ = 0;
}

void zStatusLine::followMenu()
{
    if (!attached_ || following_)
        return;
    auto* frame = dynamic_cast<zFrameWin*>(owner());
    if (!frame || !frame->menu())
        return;
    frame->menu()->addSelectHandler(this, zProc(&zStatusLine::onMenuSelect));
    following_ = true;
}

void zStatusLine::setMessageTable(const zStatusMessage* table)
{
    followMenu();
    table_.set(table);
}

void zStatusLine::showMenuHelp()
{
    setMessageTable(nullptr);
    messageMode_ = 1;
}

void zStatusLine::setMessageItem(zStatusItem* item)
{
    setMessageTable(nullptr);
    messageItem_ = item;
    messageMode_ = 2;
}

void zStatusLine::useItemForMessages(int32_t id) { setMessageItem(findItem(id)); }

void zStatusLine::endMenuHelp()
{
    if (messageMode_ == 2) {
        if (messageItem_)
            messageItem_->setText(savedItemText_.c_str());
    } else {
        messageModeOff();
    }
}

int zStatusLine::onMenuSelect(zEvent* ev)
{
    const uint32_t flags = HIWORD(ev->wParam);
    if (flags == 0xFFFF && ev->lParam == 0) {
        if (menuHelpActive_) {
            menuHelpActive_ = 0;
            endMenuHelp();
        }
        return 0;
    }
    if (flags & (MF_POPUP | MF_SYSMENU | MF_SEPARATOR))
        return 0;
    if (!menuHelpActive_) {
        menuHelpActive_ = 1;
        if (messageMode_ == 2) {
            if (messageItem_)
                savedItemText_ = messageItem_->text();
        } else {
            messageModeOn();
        }
    }
    const uint32_t id = LOWORD(ev->wParam);
    RcCString text;
    if (!table_.isEmpty()) {
        const char* t = table_.find(int32_t(id));
        text = t ? t : "";
    } else {
        char buf[201] = {};
        HINSTANCE module = theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
        if (LoadStringA(module, UINT(id + uint32_t(helpBase_)), buf, sizeof buf) > 0)
            text = buf;
    }
    if (messageMode_ == 2) {
        if (messageItem_) {
            menuHelpActive_ = 0;
            messageItem_->setText(text.c_str());
            menuHelpActive_ = 1;
        }
    } else {
        setMessage(text.c_str());
    }
    return 0;
}
