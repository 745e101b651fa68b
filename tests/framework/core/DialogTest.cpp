// Dialogs built from templates: controls by item class, default button,
// focus cycling, data exchange, modal runs and their nesting.
#include "tests/support/WindowTest.h"

#include "framework/core/zButton.h"
#include "framework/core/zComboBoxBase.h"
#include "framework/core/zControlType.h"
#include "framework/core/zDialogFrame.h"
#include "framework/core/zDialogUnit.h"
#include "framework/core/zEditBase.h"
#include "framework/core/zGenericControl.h"
#include "framework/core/zListBoxBase.h"
#include "framework/core/zPane.h"
#include "framework/core/zScrollBarBase.h"
#include "framework/core/zScrollInfo.h"
#include "framework/core/zStaticText.h"

#include <functional>
#include <string>
#include <vector>

using kel::test::pump;

namespace {

zWindow* makeTestType(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new zStaticText(parent, sizer, style, title, id);
}
zControlType testType("fwcTestType", makeTestType);

// A window that is not a standard control, as the 3-D buttons are.
zWindow* makePaneType(zWindow* parent, zSizer* sizer, uint32_t style, const char* title, int32_t id)
{
    return new zPane(parent, sizer, style, id, 1);
}
zControlType paneType("fwcPaneType", makePaneType);

// Records the commands a dialog receives.
class CommandLog : public zEvH {
public:
    int onCommand(zEvent* ev)
    {
        ids.push_back(LOWORD(ev->wParam));
        return 1;
    }
    std::vector<int> ids;
};

class Dialogs : public kel::test::FrameTest {
protected:
    template <class T>
    static T* child(zWindow* dialog, int id)
    {
        return dynamic_cast<T*>(dialog->childById(id));
    }
    static std::string className(zWindow* w)
    {
        char name[128] = {};
        GetClassNameA(w->handle(), name, sizeof name);
        return name;
    }
};

TEST_F(Dialogs, TemplateItemsBecomeFrameworkControls)
{
    zFormDialog dlg(frame, zResId(100));
    ASSERT_TRUE(dlg.handle());
    EXPECT_STREQ(dlg.caption().c_str(), "Prüfdialog");
    EXPECT_NE(child<zStaticText>(&dlg, 200), nullptr);
    EXPECT_NE(child<zEditBase>(&dlg, 101), nullptr);
    EXPECT_NE(child<zListBoxBase>(&dlg, 102), nullptr);
    EXPECT_NE(child<zComboBoxBase>(&dlg, 103), nullptr);
    EXPECT_NE(child<zScrollBarBase>(&dlg, 104), nullptr);
    EXPECT_NE(child<zCheckBox>(&dlg, 105), nullptr);
    EXPECT_NE(child<zRadioButton>(&dlg, 106), nullptr);
    // A registered control type, named in capitals by the template.
    EXPECT_NE(child<zStaticText>(&dlg, 108), nullptr);
    // An unknown class creates nothing, and so does a standard class given
    // by name; the dialog opens all the same.
    EXPECT_EQ(dlg.childById(109), nullptr);
    EXPECT_EQ(dlg.childById(112), nullptr);
    EXPECT_NE(child<zDefPushButton>(&dlg, IDOK), nullptr);
    EXPECT_NE(child<zPushButton>(&dlg, IDCANCEL), nullptr);
    // The first default push button is the default; one with BS_CENTER
    // added is a default push button but not the default.
    EXPECT_NE(child<zDefPushButton>(&dlg, 110), nullptr);
    EXPECT_NE(child<zDefPushButton>(&dlg, 111), nullptr);
    EXPECT_EQ(dlg.defaultButtonId(), IDOK);
    EXPECT_EQ(SendMessageA(dlg.handle(), DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));

    // The template's WS_VISIBLE waits for show.
    EXPECT_FALSE(IsWindowVisible(dlg.handle()));
    dlg.show(SW_SHOWNORMAL);
    EXPECT_TRUE(IsWindowVisible(dlg.handle()));
    EXPECT_TRUE(IsWindowVisible(dlg.childById(101)->handle()));
    // Only items with WS_VISIBLE are shown.
    ASSERT_NE(dlg.childById(114), nullptr);
    EXPECT_FALSE(IsWindowVisible(dlg.childById(114)->handle()));

    // Item positions are in the template font's dialog units, relative to
    // the client area.
    RECT r;
    HWND edit = dlg.childById(101)->handle();
    GetWindowRect(edit, &r);
    MapWindowPoints(nullptr, dlg.handle(), reinterpret_cast<POINT*>(&r), 2);
    HDC dc = GetDC(dlg.handle());
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size;
    GetTextExtentPoint32A(dc, "ABCDEFGHIJLKMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size);
    SelectObject(dc, old);
    ReleaseDC(dlg.handle(), dc);
    EXPECT_EQ(r.left, zDialogUnit::fromLetterExtent(size.cx, 50));
}

TEST_F(Dialogs, HeaderAndClassesOfTheirOwn)
{
    zDialogFrame a(frame, zResId(101));
    zDialogFrame b(frame, zResId(101));
    std::string ca = className(&a), cb = className(&b);
    EXPECT_EQ(ca.rfind("DialogFrameCL", 0), 0u);
    EXPECT_EQ(cb.rfind("DialogFrameCL", 0), 0u);
    EXPECT_NE(ca, cb);
    EXPECT_EQ(a.defaultButtonId(), zDialogFrame::NoDefault);
    EXPECT_EQ(SendMessageA(a.handle(), DM_GETDEFID, 0, 0), 0);

    // The header rectangle is offset by the parent's window rectangle.
    RECT pr, dr;
    GetWindowRect(frame->handle(), &pr);
    GetWindowRect(a.handle(), &dr);
    EXPECT_EQ(dr.left, pr.left + zDialogUnit(20, 20).deviceX());
    EXPECT_EQ(dr.top, pr.top + zDialogUnit(20, 20).deviceY());

    // A child style becomes a pop-up.
    zDialogFrame c(frame, zResId(102));
    LONG style = GetWindowLongA(c.handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);

    // A missing template reads as an empty one: a zero rectangle, so only
    // the non-client parts remain, and no controls.
    zDialogFrame empty(frame, zResId(4711), WS_POPUP | WS_BORDER);
    ASSERT_TRUE(empty.handle());
    GetWindowRect(empty.handle(), &dr);
    EXPECT_EQ(dr.right - dr.left, GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(empty.caption(), "");
    EXPECT_EQ(empty.children().count(), 0);

    // A sizer without width and height gives 200 x 150 plus the border.
    zDialogFrame unsized(frame, zResId(4711), WS_POPUP | WS_BORDER, 1);
    unsized.sizer()->setExtent(zSizerUnset, zSizerUnset);
    unsized.create();
    GetWindowRect(unsized.handle(), &dr);
    EXPECT_EQ(dr.right - dr.left, 200 + GetSystemMetrics(SM_CXBORDER));
    EXPECT_EQ(dr.bottom - dr.top, 150 + GetSystemMetrics(SM_CYBORDER));
}

TEST_F(Dialogs, SystemMenuKeepsMoveAndClose)
{
    // The system menu keeps what the frame's boxes allow, Move and Close;
    // the separator goes.
    struct Case {
        DWORD style; // 0: the template's
        std::vector<UINT> kept, gone;
    } cases[] = {
        {0, {SC_MOVE, SC_CLOSE}, {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX,
         {SC_MOVE, SC_CLOSE, SC_SIZE, SC_MINIMIZE, SC_RESTORE},
         {SC_MAXIMIZE}},
    };
    for (const Case& c : cases) {
        zDialogFrame dlg(frame, zResId(c.style ? 101 : 100), c.style);
        HMENU menu = GetSystemMenu(dlg.handle(), FALSE);
        ASSERT_TRUE(menu);
        for (UINT id : c.kept)
            EXPECT_NE(GetMenuState(menu, id, MF_BYCOMMAND), static_cast<UINT>(-1)) << c.style << " " << id;
        for (UINT id : c.gone)
            EXPECT_EQ(GetMenuState(menu, id, MF_BYCOMMAND), static_cast<UINT>(-1)) << c.style << " " << id;
        for (int i = 0; i < GetMenuItemCount(menu); ++i)
            EXPECT_FALSE(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) << c.style;
    }
}

TEST_F(Dialogs, EnterPressesTheDefaultButton)
{
    zFormDialog dlg(frame, zResId(100));
    dlg.show(SW_SHOWNORMAL);
    CommandLog log;
    dlg.addNotify(&log, zProc(&CommandLog::onCommand), WM_COMMAND);
    HWND edit = dlg.childById(101)->handle();

    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(log.ids.size(), 1u);
    EXPECT_EQ(log.ids[0], IDOK);

    // Ctrl+Enter does not.
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(log.ids.size(), 1u);
    // Nor does Enter in a multi-line field that wants it.
    auto* memo = new zEditBase(&dlg, new zSizer(5, 5, 80, 40, dlg.sizer()),
                               ES_MULTILINE | ES_WANTRETURN | WS_TABSTOP, "", 120);
    SendMessageA(memo->handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(log.ids.size(), 1u);

    // Without a default button the dialog sends IDOK.
    zDialogFrame plain(frame, zResId(101));
    CommandLog plainLog;
    plain.addNotify(&plainLog, zProc(&CommandLog::onCommand), WM_COMMAND);
    SendMessageA(plain.childById(101)->handle(), WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_EQ(plainLog.ids.size(), 1u);
    EXPECT_EQ(plainLog.ids[0], IDOK);
}

TEST_F(Dialogs, FocusCyclesThroughTabStops)
{
    zFormDialog dlg(frame, zResId(101));
    dlg.show(SW_SHOWNORMAL);
    HWND edit = dlg.childById(101)->handle();
    HWND ok = dlg.childById(IDOK)->handle();
    SetFocus(edit);
    SendMessageA(dlg.handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(GetFocus(), ok);
    // Next on the last tab stop wraps to the first; previous on the first
    // wraps to the last.
    SendMessageA(dlg.handle(), WM_NEXTDLGCTL, 0, 0);
    EXPECT_EQ(GetFocus(), edit);
    SendMessageA(dlg.handle(), WM_NEXTDLGCTL, 1, 0);
    EXPECT_EQ(GetFocus(), ok);
    SendMessageA(dlg.handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), 1);
    EXPECT_EQ(GetFocus(), edit);

    // The dialog hands its own focus to the first tab stop, and gets the
    // focused child back after a deactivation.
    SetFocus(dlg.handle());
    EXPECT_EQ(GetFocus(), edit);
    SetFocus(ok);
    SendMessageA(dlg.handle(), WM_ACTIVATE, WA_INACTIVE, 0);
    SetFocus(edit);
    SendMessageA(dlg.handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(GetFocus(), ok);
}

TEST_F(Dialogs, ClickClosesAnOpenDropDownList)
{
    zFormDialog dlg(frame, zResId(100));
    dlg.show(SW_SHOWNORMAL);
    auto* combo = child<zComboBoxBase>(&dlg, 103);
    combo->add("Eins");
    SetForegroundWindow(dlg.handle());
    SetFocus(combo->handle());
    SendMessageA(combo->handle(), CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(SendMessageA(combo->handle(), CB_GETDROPPEDSTATE, 0, 0));
    SendMessageA(dlg.handle(), WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(SendMessageA(combo->handle(), CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(Dialogs, ScrollBarControlsMoveTheirState)
{
    zFormDialog dlg(frame, zResId(100));
    auto* bar = child<zScrollBarBase>(&dlg, 104);
    zScrollInfo* info = reinterpret_cast<zScrollInfo*>(bar->scrollInfo());
    info->setRange(0, 50);
    pump();
    info->setPos(10);
    SendMessageA(dlg.handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_EQ(info->pos(), 11);
    SendMessageA(dlg.handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_EQ(info->pos(), 50);
    SendMessageA(dlg.handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), reinterpret_cast<LPARAM>(bar->handle()));
    EXPECT_EQ(info->pos(), 7);
}

using kel::test::runModal;

TEST_F(Dialogs, FormDialogValidatesOnOkAndEndsOnCancel)
{
    zFormDialog dlg(frame, zResId(100));
    RcCString name;
    auto* edit = child<zEditBase>(&dlg, 101);
    edit->bindVariable(&name);
    child<zEditBase>(&dlg, 114)->setOptions(zEditBase::MayBeEmpty);
    dlg.show(SW_SHOWNORMAL);

    // OK with an empty field does not end the dialog.
    runModal(dlg, {
        [&] { SendMessageA(dlg.handle(), WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(dlg.childById(IDOK)->handle())); },
        [&] {
            EXPECT_EQ(dlg.result(), 0);
            EXPECT_TRUE(dlg.isModal());
            edit->setText("Meier");
            SendMessageA(dlg.handle(), WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(dlg.childById(IDOK)->handle()));
        },
    });
    EXPECT_EQ(dlg.result(), 1);
    EXPECT_EQ(name, "Meier");
    EXPECT_FALSE(IsWindowVisible(dlg.handle()));
    EXPECT_TRUE(IsWindowEnabled(frame->handle()));

    // Cancel always ends with result 0.
    dlg.show(SW_SHOWNORMAL);
    runModal(dlg, {[&] {
        SendMessageA(dlg.handle(), WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(dlg.childById(IDCANCEL)->handle()));
    }});
    EXPECT_EQ(dlg.result(), 0);
}

TEST_F(Dialogs, OkAndCancelNeedNotBeStandardButtons)
{
    zFormDialog dlg(frame, zResId(103));
    zWindow* ok = dlg.childById(IDOK);
    zWindow* cancel = dlg.childById(IDCANCEL);
    ASSERT_NE(dynamic_cast<zPane*>(ok), nullptr);
    ASSERT_NE(cancel, nullptr);
    dlg.show(SW_SHOWNORMAL);
    SendMessageA(dlg.handle(), WM_COMMAND, IDOK, reinterpret_cast<LPARAM>(ok->handle()));
    EXPECT_EQ(dlg.result(), 1);
    EXPECT_FALSE(IsWindowVisible(dlg.handle()));
    dlg.show(SW_SHOWNORMAL);
    SendMessageA(dlg.handle(), WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(cancel->handle()));
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_FALSE(IsWindowVisible(dlg.handle()));
}

TEST_F(Dialogs, DialogWithoutCancelRunsAndCloses)
{
    zFormDialog dlg(frame, zResId(101));
    dlg.show(SW_SHOWNORMAL);
    child<zEditBase>(&dlg, 101)->setText("x");
    runModal(dlg, {[&] { SendMessageA(dlg.handle(), WM_COMMAND, IDOK, 0); }});
    EXPECT_EQ(dlg.result(), 1);

    // WM_CLOSE on a modal dialog ends it, and the default processing then
    // destroys its window.
    dlg.show(SW_SHOWNORMAL);
    runModal(dlg, {[&] { SendMessageA(dlg.handle(), WM_CLOSE, 0, 0); }});
    EXPECT_EQ(dlg.handle(), nullptr);
}

// A dialog that deletes itself, and tells whether its modal run was still
// going on when that happened.
class SelfDeleting : public zFormDialog {
public:
    SelfDeleting(zWindow* parent, int* flag) : zFormDialog(parent, zResId(101)), deletedInRun(flag)
    {
        deleteOnDestroy();
    }
    ~SelfDeleting() override { *deletedInRun = isModal(); }
    int* deletedInRun;
};

TEST_F(Dialogs, SelfDeletingDialogsGoAfterTheirModalRun)
{
    // Ended by Cancel (through message 0x901) and by WM_CLOSE (the window
    // is destroyed at once).
    for (UINT how : {UINT(WM_COMMAND), UINT(WM_CLOSE)}) {
        int deletedInRun = -1;
        auto* dlg = new SelfDeleting(frame, &deletedInRun);
        HWND window = dlg->handle();
        dlg->show(SW_SHOWNORMAL);
        runModal(*dlg, {[&] {
            if (how == WM_CLOSE)
                SendMessageA(window, WM_CLOSE, 0, 0);
            else
                dlg->cancel(nullptr);
        }});
        pump();
        EXPECT_EQ(deletedInRun, 0) << how;
        EXPECT_FALSE(IsWindow(window)) << how;
        EXPECT_TRUE(IsWindowEnabled(frame->handle())) << how;
    }
}

TEST_F(Dialogs, ModalRunsNest)
{
    zFormDialog outer(frame, zResId(101));
    outer.show(SW_SHOWNORMAL);
    zFormDialog* inner = nullptr;
    bool outerDisabledInside = false, frameDisabledInside = false, innerEnabledInside = false;
    bool outerEnabledAfterInner = false, frameStillDisabled = false;
    int32_t modalFlagInside = 0;

    runModal(outer, {
        [&] {
            EXPECT_FALSE(IsWindowEnabled(frame->handle()));
            inner = new zFormDialog(&outer, zResId(101));
            inner->show(SW_SHOWNORMAL);
            runModal(*inner, {[&] {
                outerDisabledInside = !IsWindowEnabled(outer.handle());
                frameDisabledInside = !IsWindowEnabled(frame->handle());
                innerEnabledInside = IsWindowEnabled(inner->handle());
                modalFlagInside = theApplication->modalFlag;
                inner->cancel(nullptr);
            }});
            outerEnabledAfterInner = IsWindowEnabled(outer.handle());
            frameStillDisabled = !IsWindowEnabled(frame->handle());
            EXPECT_EQ(theApplication->modalFlag, 1);
        },
        [&] { outer.cancel(nullptr); },
    });

    EXPECT_TRUE(outerDisabledInside);
    EXPECT_TRUE(frameDisabledInside);
    EXPECT_TRUE(innerEnabledInside);
    EXPECT_EQ(modalFlagInside, 1);
    EXPECT_TRUE(outerEnabledAfterInner);
    EXPECT_TRUE(frameStillDisabled);
    EXPECT_TRUE(IsWindowEnabled(frame->handle()));
    EXPECT_EQ(theApplication->modalFlag, 0);
    EXPECT_EQ(zDialogFrameStack::instance(false)->count(), 0);
    delete inner;
}

} // namespace

namespace {

TEST_F(Dialogs, SuperclassItemsBecomeGenericControls)
{
    // The resource compiler writes the class name in capitals; the
    // superclass list compares exactly.
    static zSuperClass* edit = new zSuperClass("FWCEDIT", "EDIT");
    zFormDialog dlg(frame, zResId(100));
    auto* generic = child<zGenericControl>(&dlg, 113);
    ASSERT_NE(generic, nullptr);
    ASSERT_TRUE(generic->handle());
    EXPECT_EQ(generic->superClass(), edit);
    EXPECT_EQ(generic->text(), "frei");
    generic->setText("geändert");
    EXPECT_EQ(generic->text(), "geändert");

    // A typed object takes it over and keeps it as its predecessor.
    auto* typed = new zControl(&dlg, 113);
    EXPECT_EQ(typed->controlKind(), zControl::KindGeneric);
    EXPECT_EQ(typed->handle(), generic->handle());
    EXPECT_EQ(generic->takenOverBy(), typed);
    EXPECT_EQ(dlg.childById(113), typed);
    EXPECT_EQ(typed->text(), "geändert");
}

TEST_F(Dialogs, TakingOverKeepsTheChildOrderAndTheWindow)
{
    zFormDialog dlg(frame, zResId(100));
    HWND okWindow = dlg.childById(IDOK)->handle();
    std::vector<int> before;
    {
        zPListIterOf<zWindow> it(dlg.children());
        while (zWindow* c = it.next())
            before.push_back(c->id());
    }
    auto* typed = new zDefPushButton(&dlg, IDOK);
    EXPECT_EQ(typed->handle(), okWindow);
    EXPECT_EQ(zWindow::find(okWindow), typed);
    EXPECT_TRUE(typed->isKind(zControlKind::TakenOver));
    std::vector<int> after;
    zPListIterOf<zWindow> it(dlg.children());
    while (zWindow* c = it.next())
        after.push_back(c->id());
    EXPECT_EQ(before, after);
    // The label loses its tab stop when a static text takes it over.
    auto* label = new zStaticText(&dlg, 200);
    EXPECT_FALSE(label->style() & WS_TABSTOP);
}

} // namespace

namespace {

TEST_F(Dialogs, ModalWithoutParentLeavesTheMainFrameEnabled)
{
    zFormDialog lone(nullptr, zResId(101));
    lone.show(SW_SHOWNORMAL);
    bool frameEnabledInside = false;
    runModal(lone, {[&] {
        frameEnabledInside = IsWindowEnabled(frame->handle());
        lone.cancel(nullptr);
    }});
    EXPECT_TRUE(frameEnabledInside);
    EXPECT_EQ(lone.result(), 0);
}

} // namespace
