#pragma once
// The error window "Meldefehler": one line per entry error found by the
// last check. At most one exists; gFehlerWin points at it.
#include "framework/core/zMDIChildFrame.h"

struct EventState;
class zTextPane;

class FehlerWin : public zMDIChildFrame {
public:
    explicit FehlerWin(zWindow* frame);
    ~FehlerWin() override;
    void addLine(const char* text);
    int mdiActivate(zEvent* ev) override;
    zTextPane* pane() const { return pane_; }
    void show(int code) override;

private:
    zTextPane* pane_;
};

extern FehlerWin* gFehlerWin;

// After a check: no errors close an error window; errors are announced and,
// with [Meldefehler] Protokoll on, listed in a new error window, class by
// class (cls -1: every class of the event, else that class).
void ShowCheckResult(const EventState& state, int32_t cls, bool errors);
