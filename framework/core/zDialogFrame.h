// A dialog of the framework: a top-level frame window whose caption, size,
// style, menu, font and controls come from a dialog template, with a modal
// run that nests the application's message loop.
#pragma once

#include "framework/core/zFrameWin.h"
#include "framework/core/zResId.h"
#include "framework/core/zSlist.h"

class ziDialogReader;
class zDialogFrame;

// The running modal dialogs; the top is the innermost one.
class zDialogFrameStack : public zSlist<zDialogFrame*> {
public:
    // The process-wide stack (null until the first modal run).
    static zDialogFrameStack* instance(bool create);
};

class zDialogFrame : public zFrameWin {
public:
    static constexpr zKind KindDialogFrame = zKind(0x0040);
    static constexpr int32_t NoDefault = 0xFFFF;
    // Framework messages of dialogs.
    enum : UINT { MsgPressDefault = 0x900, MsgDeleteSelf = 0x901 };

    zDialogFrame(zWindow* parent, const zResId& id, DWORD style = 0, int doNotCreate = 0);
    ~zDialogFrame() override;

    LRESULT defWindowProc(zEvent* ev) override;
    WNDCLASSA windowClass() override;
    int activate(zEvent* ev) override;
    int focus(zEvent* ev) override;
    void show(int code) override;
    int create() override;
    virtual void beforeFirstShow() {}
    virtual void endDialog();

    // Runs the dialog modally; returns when it ends.
    void modal();

    int32_t defaultButtonId() const { return defaultButton_; }
    int isModal() const { return modal_; }

    // The dialog frame window procedure.
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

protected:
    ziDialogReader* reader_ = nullptr;
    HWND savedFocus_ = nullptr;
    int32_t modal_ = 0;
    int32_t defaultButton_ = NoDefault;

private:
    // Deletes the object, or, while its modal run is still on the stack,
    // marks it so that the run deletes it when it returns.
    void deleteSelf();
    int32_t deletePending_ = 0;

    class Routing;
    int nextControl(zEvent& ev);
    void closeDropDown();
    // Sends the WM_COMMAND of the default button (IDOK without one).
    void pressDefault();
    void trimSystemMenu();
    void focusFirstChild();
    bool isDescendant(HWND hwnd) const;
};

// A dialog whose OK button validates and ends it and whose Cancel button
// ends it.
class zFormDialog : public zDialogFrame {
public:
    static constexpr zKind KindFormDialog = zKind(0x0080);

    zFormDialog(zWindow* parent, const zResId& id, DWORD style = 0);

    void show(int code) override;
    int validate() override;
    int ok(zEvent* ev);
    int cancel(zEvent* ev);

    int result() const { return result_; }

protected:
    int32_t result_ = 0;
    zWindow* okButton_ = nullptr;
    zWindow* cancelButton_ = nullptr;
};
