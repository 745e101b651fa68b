#pragma once
// The hidden result window "Ergebnisse" of the main frame: it holds the
// print pane and is never shown.
#include "framework/core/zMDIChildFrame.h"

struct EventState;
class InfoListPane;

class InfoListe : public zMDIChildFrame {
public:
    InfoListe(zWindow* parent, const EventState& state);
    InfoListPane* pane() const { return pane_; }
    // Stays hidden, whatever asks to show it.
    void show(int code) override;

private:
    InfoListPane* pane_;
};

// The result window while the main frame lives; the print queue reaches
// the print pane through it.
extern InfoListe* gInfoListe;
