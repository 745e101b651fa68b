// The framework's wrapper of a standard Windows control: it creates the
// window with the standard class and answers through the class procedure
// what the framework does not handle itself.
#pragma once

#include "framework/core/zChildWin.h"

#include <windows.h>

// Class-kind marks of the standard controls.
namespace zControlKind {
constexpr zKind TakenOver = zKind(0x0104);
constexpr zKind StaticText = zKind(0x0201);
constexpr zKind Button = zKind(0x0202);
constexpr zKind PushButton = zKind(0x0204);
constexpr zKind DefPushButton = zKind(0x0208);
constexpr zKind CheckBox = zKind(0x0210);
constexpr zKind RadioButton = zKind(0x0220);
constexpr zKind EditBase = zKind(0x0280);
constexpr zKind ListBoxBase = zKind(0x0304);
constexpr zKind ListBoxUnsorted = zKind(0x0310);
constexpr zKind ComboBoxBase = zKind(0x0320);
constexpr zKind ScrollBarBase = zKind(0x0402);
} // namespace zControlKind

class zControl : public zChildWin {
public:
    enum Kind : uint8_t {
        KindButton = 0,
        KindListBox = 1,
        KindScrollBar = 2,
        KindStatic = 3,
        KindEdit = 4,
        KindComboBox = 5,
        KindPlain = 6,
        KindGeneric = 7,
    };

    // Direct construction; style 0 gives WS_TABSTOP.
    zControl(zWindow* parent, zSizer* sizer, DWORD style, const char* text, int32_t id);
    // Takes over the dialog's child with the id (its window and state).
    zControl(zWindow* dialog, int32_t id);
    ~zControl() override;

    LRESULT defWindowProc(zEvent* ev) override;
    void backgroundColor(const zColor& color) override;
    void show(int code) override;
    int create() override;
    zColor ctlTextColor() const override { return textColor_; }
    HBRUSH ctlBrush() const override { return brush_; }

    // The window text.
    RcCString text() const;
    void setText(const char* text);
    void setText(const RcCString& text) { setText(text.c_str()); }

    // A WM_COMMAND node for the control's id on the parent.
    void addCommandHandler(zEvH* handler, zEvProc fn);
    // A node for one notification code of this control on the parent.
    void addNotifyHandler(zEvH* handler, zEvProc fn, uint16_t code);
    void removeNotifyHandler(zEvH* handler, zEvProc fn);

    uint8_t controlKind() const { return kind_; }
    WNDPROC savedProc() const { return savedProc_; }
    HBRUSH brush() const { return brush_; }

protected:
    // Sends a message to the control's window (0 without one).
    LRESULT send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    zColor textColor_{};
    zWindow* predecessor_ = nullptr;
    HBRUSH brush_ = nullptr;
    WNDPROC savedProc_ = nullptr;
    uint8_t kind_ = KindPlain;
    HICON icon_ = nullptr; // kept for static texts
};
