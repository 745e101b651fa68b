#pragma once
// Scrollers turn scroll-bar events of a pane into moves of its content.
#include "framework/core/zEvH.h"

class zPane;

class zScrollerBase : public zEvH {
public:
    explicit zScrollerBase(zPane* pane) : pane_(pane) {}
    // A pane whose scroller this is forgets it.
    ~zScrollerBase() override;

    virtual void setPane(zPane* pane) { pane_ = pane; }
    virtual int reset() { return 0; }
    // Hands a WM_HSCROLL or WM_VSCROLL (the pane has already moved the
    // position) to the operation for its code.
    virtual int dispatch(zEvent* ev);
    virtual int vertLine() { return vertThumb(); }
    virtual int vertPage() { return vertThumb(); }
    virtual int vertTop() { return vertThumb(); }
    virtual int vertBottom() { return vertThumb(); }
    virtual int vertThumb() { return 0; }
    virtual int vertTrack() { return 0; }
    virtual int horzLine() { return horzThumb(); }
    virtual int horzPage() { return horzThumb(); }
    virtual int horzLeft() { return horzThumb(); }
    virtual int horzRight() { return horzThumb(); }
    virtual int horzThumb() { return 0; }
    virtual int horzTrack() { return 0; }
    virtual int beforeScroll() { return 0; }

    bool hasVert() const;
    bool hasHorz() const;
    zPane* pane() const { return pane_; }

protected:
    zPane* pane_;
};

// A scroller that also pages with the keyboard: it registers a WM_KEYDOWN
// handler node on its pane while attached.
class zScrollerWKeyboard : public zScrollerBase {
public:
    explicit zScrollerWKeyboard(zPane* pane);
    ~zScrollerWKeyboard() override;

    void setPane(zPane* pane) override;
    // Page Up/Down, Ctrl+Home/End vertically; Ctrl+Page Up/Down horizontally.
    virtual int keyDown(zEvent* ev);

    void attach();
    void detach();
    bool attached() const { return attached_ != 0; }

private:
    int onKeyDown(zEvent* ev) { return keyDown(ev); }

    int32_t attached_ = 0;
};
