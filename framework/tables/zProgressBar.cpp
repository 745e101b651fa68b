#include "framework/tables/zProgressBar.h"

#include "framework/core/zDisplay.h"
#include "framework/core/zSizer.h"

zProgressBar::zProgressBar(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id)
    : zPaneControl(parent, sizer, 0, title, id)
{
    const zRect r{0, 0, sizer ? sizer->width() : 0, sizer ? sizer->height() : 0};
    info_ = std::make_unique<ziProgressBarInfo>(&display_, r, style);
    if (title)
        info_->caption = title;
}

zProgressBar::~zProgressBar()
{
    info_->font = nullptr;
}

int zProgressBar::sizeSizer(zEvent* ev)
{
    zPaneControl::sizeSizer(ev);
    info_->rect = {0, 0, LOWORD(ev->lParam), HIWORD(ev->lParam)};
    display()->invalidateRect(nullptr, 0);
    return 1;
}

void zProgressBar::backgroundColor(const zColor& colour)
{
    zPaneControl::backgroundColor(colour);
    if (info_)
        info_->backColour = colour;
}

void zProgressBar::setFont(zFont* font, int redraw)
{
    // The caption font has one owner, the window: it deletes the previous
    // one when a new one replaces it; the drawing record only borrows it.
    if (!font) {
        info_->font = nullptr;
        return;
    }
    zPaneControl::setFont(font, redraw);
    info_->font = font;
}

int zProgressBar::draw(zEvent*)
{
    info_->draw();
    return 1;
}

void zProgressBar::setPercentage(float percentage)
{
    info_->percentage = percentage;
    if (hwnd_)
        display()->invalidateRect(nullptr, 0);
}
