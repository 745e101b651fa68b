#pragma once
// The one routing of a Windows message to a framework window. Every window
// procedure of the framework is a routing object: it finds the window's
// object, offers the message in the order fixed for that message to the
// window's handler nodes, its virtual operations and finally its default
// procedure. What a window kind does differently is said once, as data
// (Traits) or, for the few messages it answers in a way of its own, in its
// override of ownMessage.
#include <windows.h>

#include <cstdint>

#include "framework/core/zEvent.h"

class zWindow;

class ziWindowRouting {
public:
    // WM_CHAR / WM_SYSCHAR: the handler nodes, slot charInput, or the slot
    // and then the nodes when it answers 0.
    enum class CharInput : uint8_t { Nodes, Slot, SlotThenNodes };
    // WM_INITMENU / WM_MENUSELECT: the tracked pop-up menu, the window's menus
    // and then the nodes; the tracked pop-up menu only; or the nodes only.
    enum class MenuSelect : uint8_t { MenusThenNodes, PopupOnly, Nodes };

    // What a window kind does differently from the plain procedure; the
    // defaults are the plain procedure's.
    struct Traits {
        // The answer for a window without a bound object.
        LRESULT(CALLBACK* unbound)(HWND, UINT, WPARAM, LPARAM) = DefWindowProcA;
        // The class-kind mark an object needs to count as bound (0: any).
        uint16_t kind = 0;
        // Closing rule: a handled message answers its own result (else 0).
        bool answersResult = false;
        // WM_COMMAND goes to the tracked pop-up menu before the window's
        // menu and command nodes.
        bool commandPopupFirst = true;
        // WM_SYSCOMMAND is routed as WM_COMMAND (else: the nodes).
        bool sysCommandAsCommand = false;
        CharInput charInput = CharInput::Nodes;
        MenuSelect menuSelect = MenuSelect::MenusThenNodes;
        // WM_SETFOCUS tells the ancestors and records the last focus window.
        bool tracksFocus = true;
        // WM_HSCROLL / WM_VSCROLL move the scroll state, then slot scroll
        // (else: the nodes).
        bool scrolls = false;
    };

    explicit ziWindowRouting(const Traits& traits) : traits_(traits) {}
    virtual ~ziWindowRouting() = default;
    ziWindowRouting(const ziWindowRouting&) = delete;
    ziWindowRouting& operator=(const ziWindowRouting&) = delete;

    // The window procedure's answer to one message. An exception of a
    // handler ends here: it is reported and the answer is 0 (zGuardedWndProc.h).
    LRESULT route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;

protected:
    // What a window kind did with a message: nothing (the common routing
    // follows), a result for the closing rule, or the final answer.
    enum class Step : uint8_t { Common, Close, Answer };

    // Whether the procedure serves this object beyond its kind mark (else
    // it counts as unbound).
    virtual bool accepts(zWindow* w) const { return true; }
    // The window kind's own handling of a message; the default has none.
    virtual Step ownMessage(zWindow* w, zEvent& ev, LRESULT& result) const { return Step::Common; }

    // The routing all kinds share; a kind may run it from ownMessage and add
    // to it. Answer means result is the procedure's answer.
    Step common(zWindow* w, zEvent& ev, LRESULT& result) const;
    // The closing rule on a result.
    LRESULT close(zWindow* w, zEvent& ev, LRESULT result) const;

    // Helpers of the kinds.
    static int nodes(zWindow* w, zEvent& ev);
    // The nodes when the window's interest flag is set, else 0.
    static int nodesFirst(zWindow* w, zEvent& ev, uint32_t flag);
    // Marks the window destroyed and takes it out of the window map.
    static void markDestroyed(zWindow* w, HWND hwnd);
    // Windows destroys a frame's menu with its window.
    static void forgetMenu(zWindow* w);
    // The menu slot of the window's menu when the window wants menu messages.
    static int offerToMenu(zWindow* w, zEvent* ev);
    // The window's menu, its command nodes and slot command; then, at an MDI
    // application frame, the active child's menu and (childCommand) its slot
    // command. Nonzero when one handled the event.
    static int commandChain(zWindow* w, zEvent& ev, bool childCommand);
    // The deferred scroll range: bar wParam, range (low word, high word) of
    // lParam, or 0..0 when the two are equal; redrawn.
    static void setScrollRange(const zEvent& ev);

    const Traits traits_;

private:
    LRESULT routeMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) const;
    // WM_COMMAND: the tracked pop-up menu, then the command chain.
    Step command(zWindow* w, zEvent& ev, LRESULT& result) const;
    Step menuSelect(zWindow* w, zEvent& ev, LRESULT& result) const;
    // Moves the scroll state named by the event; false when lParam names a
    // window that is not a scroll-bar control.
    static bool moveScrollState(zWindow* w, zEvent& ev);
};
