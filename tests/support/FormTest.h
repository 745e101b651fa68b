#pragma once
// Tests of the class library's forms and the components on them. Including
// this header makes pump() and pumpUntil() hand on messages as the class
// library's own loop does (dialog keys, key preview and hints first).
//
//   visibleForm(except)          the visible form of this thread shown last
//                                (the one a modal loop runs for)
//   runForm(call, steps)         runModal for a call that shows a form
//                                modally (ShowModal, a query dialog) or a
//                                message box; a loop the steps failed to end
//                                is ended with mrAbort
#include "classlib/Application.h"
#include "classlib/Form.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ModalRun.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace kel::test {

inline void classLibraryStep(MSG& msg)
{
    if (!Application || !Application->IsKeyMsg(msg))
        translateAndDispatch(msg);
}

namespace detail {
inline const bool classLibraryPump = (setMessageStep(classLibraryStep), true);
} // namespace detail

inline TCustomForm* visibleForm(TCustomForm* except = nullptr)
{
    struct Search {
        TCustomForm* except;
        TCustomForm* found;
    } s{except, nullptr};
    // Top-level windows come in z-order: the first visible form is the one
    // shown last.
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            auto* search = reinterpret_cast<Search*>(l);
            auto* f = dynamic_cast<TCustomForm*>(FindControl(h));
            if (f && f != search->except && IsWindowVisible(h) && !search->found)
                search->found = f;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

template <class Run>
decltype(auto) runForm(Run&& run, std::vector<Step> steps)
{
    return runModal(std::forward<Run>(run), std::move(steps), [] {
        if (TCustomForm* f = visibleForm(); f && f->Modal())
            f->SetModalResult(mrAbort);
        else
            PostQuitMessage(0);
    });
}

} // namespace kel::test
