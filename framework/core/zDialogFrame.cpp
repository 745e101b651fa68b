#include "framework/core/zDialogFrame.h"

#include "classlib/WindowClass.h"
#include "framework/core/zApplication.h"
#include "framework/core/zButton.h"
#include "framework/core/zFont.h"
#include "framework/core/zMenu.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTaskDev.h"
#include "framework/core/zTimer.h"
#include "framework/core/ziDialogReader.h"
#include "framework/core/ziWindowMap.h"
#include "framework/core/ziWindowRouting.h"

#include <cstdio>
#include <cstring>

namespace {

const char kBaseClass[] = "DialogFrameCL";

bool qualifies(zWindow* w)
{
    HWND h = w ? w->handle() : nullptr;
    return h && IsWindowEnabled(h) && (GetWindowLongA(h, GWL_STYLE) & WS_TABSTOP);
}

bool isRadioButton(zWindow* w) { return w && w->isKind(zControlKind::RadioButton); }

bool classIs(HWND hwnd, const char* name)
{
    char buffer[64] = {};
    GetClassNameA(hwnd, buffer, sizeof buffer);
    return std::strcmp(buffer, name) == 0;
}

} // namespace

zDialogFrameStack* zDialogFrameStack::instance(bool create)
{
    static zDialogFrameStack* stack = nullptr;
    if (!stack && create)
        stack = new zDialogFrameStack;
    return stack;
}

zDialogFrame::zDialogFrame(zWindow* parent, const zResId& id, DWORD style, int doNotCreate) : zFrameWin(parent)
{
    setKind(KindDialogFrame);
    const char* fixed = zFrameClassOverride::get();
    setClassName(fixed ? fixed : kBaseClass);
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    background_ = GetSysColor(version.dwMajorVersion >= 4 ? COLOR_3DFACE : COLOR_WINDOW);
    id_ = id.number();

    reader_ = new ziDialogReader(this, id);
    const DWORD templateStyle = reader_->style();
    setStyle(templateStyle);
    text_ = reader_->caption();
    if (reader_->templateFont() && reader_->font())
        setFont(reader_->font(), 0);
    reader_->applyRect(sizer_);
    if (style)
        setStyle(style | (templateStyle & 0xFFFF));
    if (!doNotCreate)
        create();
}

zDialogFrame::~zDialogFrame()
{
    delete reader_;
    reader_ = nullptr;
    if (zModelessDialog && zModelessDialog == hwnd_)
        zModelessDialog = nullptr;
}

LRESULT zDialogFrame::defWindowProc(zEvent* ev) { return zFrameWin::defWindowProc(ev); }

WNDCLASSA zDialogFrame::windowClass()
{
    WNDCLASSA wc{};
    wc.style = 0;
    wc.lpfnWndProc = &zDialogFrame::windowProc;
    wc.hInstance = theApplication ? theApplication->instance : GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kBaseClass;
    return wc;
}

void zDialogFrame::trimSystemMenu()
{
    const DWORD s = style_;
    if (!(s & WS_SYSMENU) || (s & WS_OVERLAPPEDWINDOW) == WS_OVERLAPPEDWINDOW || !parent_ || parent_ == this)
        return;
    HMENU menu = GetSystemMenu(hwnd_, FALSE);
    if (!menu)
        return;
    int kept = 0;
    if (!(s & WS_THICKFRAME))
        RemoveMenu(menu, SC_SIZE, MF_BYCOMMAND);
    else
        ++kept;
    if (!(s & WS_MINIMIZEBOX))
        RemoveMenu(menu, SC_MINIMIZE, MF_BYCOMMAND);
    else
        ++kept;
    if (!(s & WS_MAXIMIZEBOX))
        RemoveMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
    else
        ++kept;
    if (!(s & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
        RemoveMenu(menu, SC_RESTORE, MF_BYCOMMAND);
    else
        ++kept;
    RemoveMenu(menu, SC_TASKLIST, MF_BYCOMMAND);
    // The separators: the first stands after Move and the kept items; once
    // it is gone a second one (where the menu has one) follows Close. Only
    // separators go, never Close itself, which would disable the close box.
    for (int position : {kept + 1, kept + 2}) {
        const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        if (state != static_cast<UINT>(-1) && (state & MF_SEPARATOR))
            RemoveMenu(menu, static_cast<UINT>(position), MF_BYPOSITION);
    }
}

void zDialogFrame::focusFirstChild()
{
    zWindow* first = nullptr;
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next()) {
        if (!first)
            first = child;
        if (qualifies(child)) {
            SetFocus(child->handle());
            return;
        }
    }
    if (first && first->handle())
        SetFocus(first->handle());
}

int zDialogFrame::create()
{
    int32_t width = sizer_->width() == zSizerUnset ? 200 : sizer_->width();
    int32_t height = sizer_->height() == zSizerUnset ? 150 : sizer_->height();

    DWORD s = style_;
    if ((s & WS_CAPTION) == WS_CAPTION)
        height += GetSystemMetrics(SM_CYCAPTION);
    if (s & DS_MODALFRAME) {
        height += 2 * GetSystemMetrics(SM_CYDLGFRAME) + GetSystemMetrics(SM_CYBORDER);
        width += 2 * GetSystemMetrics(SM_CXDLGFRAME) + 2 * GetSystemMetrics(SM_CXBORDER);
    } else if (s & WS_DLGFRAME) {
        height += GetSystemMetrics(SM_CYDLGFRAME);
        width += GetSystemMetrics(SM_CXDLGFRAME);
    } else if (s & WS_THICKFRAME) {
        height += GetSystemMetrics(SM_CYFRAME);
        width += GetSystemMetrics(SM_CXFRAME);
    } else {
        height += GetSystemMetrics(SM_CYBORDER);
        width += GetSystemMetrics(SM_CXBORDER);
    }
    if ((reader_ && reader_->hasMenu()) || menu_)
        height += GetSystemMetrics(SM_CYMENU);
    sizer_->setExtent(width, height);

    // A window class of its own for every dialog object.
    WNDCLASSA wc = windowClass();
    if (!zFrameClassOverride::get()) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "%llu",
                      static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(this)));
        className_ = kBaseClass;
        className_.append(suffix);
    }
    wc.lpszClassName = className_.c_str();
    // The shared base class stays for the process; a dialog's own class
    // is unregistered at the application's end.
    if (RegisterWindowClassOnce(wc) && className_ != kBaseClass && theApplication)
        theApplication->recordClass(className_.c_str());

    if (s & DS_MODALFRAME)
        exStyle_ |= WS_EX_DLGMODALFRAME;
    if (s & WS_CHILD) {
        s = (s & ~static_cast<DWORD>(WS_CHILD)) | WS_POPUP;
        style_ = s;
    }
    const int32_t x = sizer_->x() == zSizerUnset ? 0 : sizer_->x();
    const int32_t y = sizer_->y() == zSizerUnset ? 0 : sizer_->y();
    HWND hwnd = CreateWindowExA(exStyle_, className_.c_str(), nullptr, style_, x, y, sizer_->width(),
                                sizer_->height(), parent_ ? parent_->handle() : nullptr, nullptr,
                                theApplication ? theApplication->instance : GetModuleHandleA(nullptr), nullptr);
    if (hwnd) {
        bind(hwnd);
        setCaption(text_);
        trimSystemMenu();
    }

    if (reader_) {
        if (hwnd_)
            reader_->createControls();
        defaultButton_ = reader_->defaultButtonId();
        if (reader_->hasMenu()) {
            zMenu* menu = new zMenu(reader_->menuId(), this);
            if (menu != menu_)
                setMenu(menu);
        }
        delete reader_;
        reader_ = nullptr;
    }

    if (hwnd_) {
        focusFirstChild();
        sizerFromWindowRect();
    }
    if (!font_ && parent_ && parent_->font())
        setFont(parent_->font(), 0);
    return hwnd_ ? 1 : 0;
}

void zDialogFrame::show(int code)
{
    if (state_ & WasShown) {
        showState(code);
        return;
    }
    beforeFirstShow();
    setState(WasShown);
    zModelessDialog = hwnd_;
    setCaption(text_);
    if (hwnd_) {
        ShowWindow(hwnd_, code);
        UpdateWindow(hwnd_);
    }
    if (code)
        style_ |= WS_VISIBLE;
}

bool zDialogFrame::isDescendant(HWND hwnd) const
{
    return hwnd && hwnd_ && hwnd != hwnd_ && IsChild(hwnd_, hwnd);
}

int zDialogFrame::activate(zEvent* ev)
{
    const bool deactivating = (ev->message == WM_ACTIVATE && LOWORD(ev->wParam) == WA_INACTIVE) ||
                              (ev->message == WM_MDIACTIVATE && reinterpret_cast<HWND>(ev->lParam) != hwnd_);
    if (deactivating) {
        HWND focused = GetFocus();
        savedFocus_ = isDescendant(focused) ? focused : nullptr;
    } else {
        if (savedFocus_ && IsWindow(savedFocus_))
            SetFocus(savedFocus_);
        savedFocus_ = nullptr;
    }
    return 1;
}

int zDialogFrame::focus(zEvent* ev)
{
    if (ev->message != WM_SETFOCUS)
        return 1;
    zWindow* first = nullptr;
    zPListIterOf<zWindow> it(children_);
    while (zWindow* child = it.next()) {
        if (!first)
            first = child;
        if (!qualifies(child))
            continue;
        if (isRadioButton(child) && !SendMessageA(child->handle(), BM_GETCHECK, 0, 0))
            continue;
        SetFocus(child->handle());
        return 1;
    }
    if (first && first->handle())
        SetFocus(first->handle());
    return 1;
}

void zDialogFrame::modal()
{
    zDialogFrameStack* stack = zDialogFrameStack::instance(false);
    if (!stack) {
        stack = zDialogFrameStack::instance(true);
    } else if (stack->count() > 0) {
        zDialogFrame* top = stack->top();
        if (top && top->handle() && IsWindow(top->handle()))
            EnableWindow(top->handle(), FALSE);
    }
    stack->push(this);

    modal_ = 1;
    HWND focused = GetFocus();
    if (focused != hwnd_ && !isDescendant(focused) && hwnd_ && IsWindow(hwnd_))
        SetFocus(hwnd_);
    zWindow* mainFrame = theApplication ? theApplication->mainFrame : nullptr;
    if (parent_) {
        parent_->disable();
        if (mainFrame && mainFrame != parent_ && mainFrame != this)
            mainFrame->disable();
    }

    // Nested runs restore the flag they found.
    const int32_t previousFlag = theApplication ? theApplication->modalFlag : 0;
    if (theApplication) {
        theApplication->modalFlag = 1;
        theApplication->run();
        theApplication->modalFlag = previousFlag;
    }

    if (focused && IsWindow(focused) && focused != hwnd_ && !isDescendant(focused))
        SetFocus(focused);
    else if (theApplication && theApplication->mainFrame && theApplication->mainFrame->handle())
        SetFocus(theApplication->mainFrame->handle());
    modal_ = 0;
    // A self-deleting dialog that ended inside the run goes now.
    if (deletePending_)
        delete this;
}

void zDialogFrame::deleteSelf()
{
    // The nested loop handles the dialog's own messages (0x901, and
    // WM_NCDESTROY after WM_CLOSE) before it returns into modal().
    if (modal_) {
        deletePending_ = 1;
        return;
    }
    delete this;
}

void zDialogFrame::endDialog()
{
    zWindow* mainFrame = theApplication ? theApplication->mainFrame : nullptr;
    auto enableOwners = [&] {
        if (!parent_)
            return;
        parent_->enable();
        if (mainFrame && mainFrame != parent_ && mainFrame != this)
            mainFrame->enable();
    };
    if (modal_) {
        zDialogFrameStack* stack = zDialogFrameStack::instance(false);
        if (stack) {
            if (stack->count() > 0)
                stack->pop();
            zDialogFrame* top = stack->count() > 0 ? stack->top() : nullptr;
            if (top && top->handle() && IsWindow(top->handle()))
                EnableWindow(top->handle(), TRUE);
            else
                enableOwners();
        } else if (parent_) {
            parent_->enable();
        }
    }
    if (hwnd_) {
        ShowWindow(hwnd_, SW_HIDE);
        UpdateWindow(hwnd_);
    }
    if (modal_)
        PostQuitMessage(0);
    if (state_ & DeleteOnDestroy) {
        if (hwnd_)
            PostMessageA(hwnd_, MsgDeleteSelf, 0, 0);
    } else if (theApplication && theApplication->mainFrame == this) {
        theApplication->quit();
    }
}

int zDialogFrame::nextControl(zEvent& ev)
{
    if (ev.lParam) {
        SetFocus(reinterpret_cast<HWND>(ev.wParam));
        return 1;
    }
    HWND f = GetFocus();
    while (f && GetParent(f) != hwnd_)
        f = GetParent(f);
    zWindow* focused = nullptr;
    {
        zPListIterOf<zWindow> it(children_);
        while (zWindow* child = it.next())
            if (f && child->handle() == f)
                focused = child;
    }
    if (!focused)
        return 0;

    zWindow* target = nullptr;
    zPListIterOf<zWindow> it(children_);
    if (ev.wParam) {
        // Previous: the last qualifying child before the focused one, or
        // the last qualifying child of all (wrap).
        zWindow* lastQualifying = nullptr;
        bool met = false;
        while (zWindow* child = it.next()) {
            if (child == focused)
                met = true;
            if (!qualifies(child))
                continue;
            if (!met)
                target = child;
            lastQualifying = child;
        }
        if (!target)
            target = lastQualifying;
    } else {
        zWindow* firstQualifying = nullptr;
        bool after = false;
        while (zWindow* child = it.next()) {
            if (qualifies(child)) {
                if (!firstQualifying)
                    firstQualifying = child;
                if (after && !target)
                    target = child;
            }
            if (child == focused)
                after = true;
        }
        if (!target)
            target = firstQualifying;
    }
    if (target && target->handle())
        SetFocus(target->handle());
    return 1;
}

void zDialogFrame::closeDropDown()
{
    HWND f = GetFocus();
    if (!isDescendant(f))
        return;
    if (classIs(f, "ComboBox")) {
        SendMessageA(f, CB_SHOWDROPDOWN, FALSE, 0);
        return;
    }
    HWND p = GetParent(f);
    if (classIs(f, "Edit") && p != hwnd_ && isDescendant(p) && classIs(p, "ComboBox"))
        SendMessageA(p, CB_SHOWDROPDOWN, FALSE, 0);
}

// The dialog frame procedure: the plain routing, except that a handled
// message answers its result, and with the dialog's own messages (default
// button, focus cycling, self-deletion), the modal end on WM_CLOSE and the
// closing of an open drop-down list on a click.
class zDialogFrame::Routing : public ziWindowRouting {
public:
    Routing() : ziWindowRouting(Traits{.kind = KindDialogFrame, .answersResult = true, .scrolls = true}) {}

protected:
    Step ownMessage(zWindow* w, zEvent& ev, LRESULT& r) const override
    {
        auto* d = static_cast<zDialogFrame*>(w);
        switch (ev.message) {
        case WM_DESTROY:
            if (!theApplication || theApplication->mainFrame != d)
                return Step::Common;
            if (theApplication->taskDev)
                theApplication->taskDev->setEnabled(false);
            PostQuitMessage(0);
            r = 1;
            return Step::Close;
        case WM_ACTIVATE:
            zModelessDialog = LOWORD(ev.wParam) != WA_INACTIVE ? d->hwnd_ : nullptr;
            return Step::Common;
        case WM_CLOSE:
            if (common(w, ev, r) == Step::Answer)
                return Step::Answer;
            if (!r && d->modal_)
                d->endDialog();
            return Step::Close;
        case WM_NCHITTEST:
            r = nodes(w, ev);
            return Step::Close;
        case WM_NEXTDLGCTL:
            r = d->nextControl(ev);
            return Step::Answer;
        case WM_NCDESTROY:
            markDestroyed(w, ev.hwnd);
            forgetMenu(w);
            d->hwnd_ = nullptr;
            if (zModelessDialog == ev.hwnd)
                zModelessDialog = nullptr;
            if (d->state_ & DeleteOnDestroy)
                d->deleteSelf();
            r = 0;
            return Step::Answer;
        case WM_NCLBUTTONDOWN:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            r = nodes(w, ev);
            if (!r)
                r = d->mouseButtonDown(&ev);
            if (!r && (ev.message == WM_LBUTTONDOWN || ev.message == WM_NCLBUTTONDOWN))
                d->closeDropDown();
            return Step::Close;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            r = nodes(w, ev);
            return Step::Close;
        case WM_MOUSEMOVE:
            if (d->cursor_.handle())
                SetCursor(d->cursor_.handle());
            r = nodesFirst(w, ev, WantMouseMove);
            return Step::Close;
        case DM_GETDEFID:
            r = d->defaultButton_ == NoDefault ? 0 : MAKELONG(d->defaultButton_, DC_HASDEFID);
            return Step::Answer;
        case DM_SETDEFID:
            d->defaultButton_ = static_cast<int32_t>(ev.wParam);
            r = 1;
            return Step::Answer;
        case MsgPressDefault:
            if (ev.wParam == 0x1000 && ev.lParam == 0x1000)
                d->pressDefault();
            r = nodes(w, ev);
            return Step::Close;
        case MsgDeleteSelf:
            d->deleteSelf();
            r = 0;
            return Step::Answer;
        default:
            return Step::Common;
        }
    }
};

void zDialogFrame::pressDefault()
{
    if (defaultButton_ != NoDefault) {
        zWindow* button = childById(defaultButton_);
        SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(defaultButton_ & 0xFFFF),
                     reinterpret_cast<LPARAM>(button ? button->handle() : nullptr));
    } else {
        SendMessageA(hwnd_, WM_COMMAND, IDOK, 0);
    }
}

LRESULT CALLBACK zDialogFrame::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static const Routing routing;
    return routing.route(hwnd, msg, wParam, lParam);
}

zFormDialog::zFormDialog(zWindow* parent, const zResId& id, DWORD style) : zDialogFrame(parent, id, style, 1)
{
    setKind(KindFormDialog);
    create();
}

void zFormDialog::show(int code)
{
    if (!(state_ & WasShown)) {
        // The command node goes on this dialog, the children's parent, for
        // whatever window carries the id: a standard button or a 3-D one.
        okButton_ = childById(IDOK);
        if (okButton_)
            addCommand(IDOK, this, zProc(&zFormDialog::ok));
        cancelButton_ = childById(IDCANCEL);
        if (cancelButton_)
            addCommand(IDCANCEL, this, zProc(&zFormDialog::cancel));
    }
    zDialogFrame::show(code);
}

int zFormDialog::validate()
{
    result_ = zWindow::validate() ? 1 : 0;
    return result_;
}

int zFormDialog::ok(zEvent*)
{
    if (validate())
        endDialog();
    return 0;
}

int zFormDialog::cancel(zEvent*)
{
    result_ = 0;
    endDialog();
    return 0;
}
