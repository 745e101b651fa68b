#pragma once
// The MDI application frame with its MDI client.
#include "framework/core/zFrameWin.h"

class zMDIChildFrame;

class zMDIAppFrame : public zFrameWin {
public:
    // A null window menu is replaced by a new empty menu.
    zMDIAppFrame(zWindow* parent, zSizer* sizer, DWORD style, const char* title,
                 zMenu* windowMenu, int32_t firstChildId);
    ~zMDIAppFrame() override;

    LRESULT defWindowProc(zEvent* ev) override;
    WNDCLASSA windowClass() override;
    void show(int code) override;
    int create() override;

    // The object of the client's active child, or null.
    zMDIChildFrame* activeChild() const;
    // The child whose menu is merged into the frame's menu, or null.
    zMDIChildFrame* mergedChild() const { return activeChild_; }
    HWND client() const;
    zFrameWin* clientWrapper() const { return clientWrapper_; }
    zMenu* windowMenu() const { return windowMenu_; }

    // Message 0x902: merges (activation) or unmerges the child's menu.
    void mergeMenu(zEvent* ev);
    void childDeleted(zMDIChildFrame* child);
    // Takes the merged child's items out of the frame's menu.
    void unmergeChild();

private:
    zMenu* windowMenu_;
    int32_t firstChildId_;
    zFrameWin* clientWrapper_ = nullptr;
    zMDIChildFrame* activeChild_ = nullptr;
};
