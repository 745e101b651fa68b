#pragma once
// Scripted modal loops: a test step runs from inside the loop it waits for.
//
//   runModal(dialog, steps)      runs dialog.modal() and, from inside its
//                                loop, each step in turn (one every 20 ms)
//   runModal(call, steps, end)   the same for any call that runs a modal
//                                loop (a message box, a form's ShowModal:
//                                FormTest.h's runForm ends those); returns
//                                what the call returns
//
// A modal run's watchdog fails the test and ends the loop (with `end`,
// default WM_QUIT) when it still runs 5 s after its last step; a run that
// ends before all its steps ran fails the test too. A step may start a
// modal run of its own: the outer steps wait until it is over.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <type_traits>
#include <utility>
#include <vector>

namespace kel::test {

using Step = std::function<void()>;

namespace detail {
struct ModalScript {
    std::vector<Step> steps;
    std::function<void()> end;
    size_t next = 0;
    bool busy = false;
    std::chrono::steady_clock::time_point idleSince = std::chrono::steady_clock::now();
};
inline std::map<UINT_PTR, ModalScript*> modalScripts;
constexpr std::chrono::seconds modalWatchdog{5};

inline void CALLBACK modalTick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = modalScripts.find(id);
    if (it == modalScripts.end() || it->second->busy)
        return;
    ModalScript& script = *it->second;
    if (script.next < script.steps.size()) {
        // A step that starts a modal run of its own stays busy until it
        // is over; the ticks meanwhile belong to the inner run.
        script.busy = true;
        const Step& step = script.steps[script.next++];
        step();
        script.busy = false;
        script.idleSince = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - script.idleSince > modalWatchdog) {
        ADD_FAILURE() << "the modal run did not end after its last step";
        script.idleSince = std::chrono::steady_clock::now();
        script.end();
    }
}
} // namespace detail

template <class Run>
    requires std::is_invocable_v<Run&>
decltype(auto) runModal(Run&& run, std::vector<Step> steps, std::function<void()> end = [] { PostQuitMessage(0); })
{
    detail::ModalScript script{std::move(steps), std::move(end)};
    const UINT_PTR id = SetTimer(nullptr, 0, 20, detail::modalTick);
    detail::modalScripts[id] = &script;
    struct Finish {
        UINT_PTR id;
        detail::ModalScript& script;
        ~Finish()
        {
            KillTimer(nullptr, id);
            detail::modalScripts.erase(id);
            if (script.next < script.steps.size())
                ADD_FAILURE() << "the modal run ended before step " << script.next + 1 << " of "
                              << script.steps.size();
        }
    } finish{id, script};
    return run();
}

template <class Dialog>
    requires requires(Dialog& d) { d.modal(); }
void runModal(Dialog& dialog, std::vector<Step> steps)
{
    runModal([&dialog] { dialog.modal(); }, std::move(steps));
}

} // namespace kel::test
