#pragma once
// The class library's edge to Windows: a window, hook, dialog or enumeration
// procedure of the class library or of a component runs its work through one
// of these calls, so that no exception leaves it. This layer raises
// (Exception and the standard library's exceptions); Windows cannot unwind
// through its own frames, and an exception that reached the system would end
// the program and lose what was typed.
//
//   GuardedWndProc(h, msg, work)   a window procedure's answer: work(), or 0
//                                  when it threw; a paint message that threw
//                                  is validated so that it does not come
//                                  straight back
//   GuardedCall(fallback, work)    any other callback: work(), or fallback
//                                  when it threw
//   GuardedCall(work)              the same for work that answers nothing
//
// A caught exception is shown by the application object
// (TApplication::ShowException, which OnException may replace) and the
// program goes on with the next message. While one is being shown, a
// further exception (a timer or paint handler that keeps failing) is not
// shown again.
#include <windows.h>

#include <type_traits>
#include <utility>

// Shows the exception being handled; to be called from a catch block.
void ReportCurrentException() noexcept;

template <class Work>
auto GuardedCall(std::invoke_result_t<Work&> fallback, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    ReportCurrentException();
    return fallback;
  }
}

template <class Work>
void GuardedCall(Work&& work) noexcept {
  try {
    std::forward<Work>(work)();
  } catch (...) {
    ReportCurrentException();
  }
}

template <class Work>
LRESULT GuardedWndProc(HWND h, UINT msg, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    if (msg == WM_PAINT) ValidateRect(h, nullptr);
    ReportCurrentException();
    return 0;
  }
}
