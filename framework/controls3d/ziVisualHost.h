#pragma once
// A window that hosts a root compound of visuals and hands it painting,
// sizing, mouse and character input: the visual pane and the visual control
// are this over a pane and over a control window.

#include <utility>

#include "framework/controls3d/ziVisualDrawing.h"
#include "framework/controls3d/ziShellCompound.h"
#include "framework/core/zSizer.h"
#include "framework/core/zWindow.h"

template <class Window>
class ziVisualHost : public Window {
public:
    template <class... Args>
    explicit ziVisualHost(Args&&... args) : Window(std::forward<Args>(args)...)
    {
        root_ = new ziShellCompound(this, [this] { return this->display(); });
    }

    ~ziVisualHost() override
    {
        // The sizer is the window's; the root only borrows it.
        root_->detachSizer();
        delete root_;
        root_ = nullptr;
    }

    int draw(zEvent*) override
    {
        zDisplay* d = this->display();
        if (!root_ || !d)
            return 1;
        ziAcquire hold(d);
        const zRect r = d->paintRect();
        root_->draw(&r);
        return 1;
    }

    int sizeSizer(zEvent* ev) override
    {
        zWindow::sizeSizer(ev);
        if (this->sizer())
            this->sizer()->setRect(nullptr);
        if (root_)
            root_->layout();
        if (zDisplay* d = this->display())
            d->invalidateRect(nullptr, 1);
        return 1;
    }

    int mouseButtonDown(zEvent* ev) override
    {
        if (!active())
            return 0;
        if (this->handle())
            SetFocus(this->handle());
        zEvent shifted = shiftedByOrigin(*ev);
        return root_->mouseButtonDown(&shifted);
    }

    int mouseMove(zEvent* ev) override
    {
        if (!active())
            return 0;
        zEvent shifted = shiftedByOrigin(*ev);
        return root_->mouseMove(&shifted);
    }

    int mouseButtonUp(zEvent* ev) override { return active() ? root_->mouseButtonUp(ev) : 0; }
    int charInput(zEvent* ev) override { return active() ? root_->charInput(ev) : 0; }

    ziShellCompound* root() const { return root_; }

protected:
    ziShellCompound* root_ = nullptr;

private:
    bool active() const { return root_ && (root_->flags() & ziVisual::ActiveBit); }
    // A mouse point moved by the display's window origin.
    zEvent shiftedByOrigin(const zEvent& ev) const
    {
        const POINT org = ziWindowOrigin(this->display());
        zEvent shifted = ev;
        shifted.lParam = MAKELPARAM(uint16_t(LOWORD(ev.lParam) + org.x), uint16_t(HIWORD(ev.lParam) + org.y));
        return shifted;
    }
};
