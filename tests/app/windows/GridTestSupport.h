#pragma once
// Shared by the entry-grid tests: a fixture with a loaded event, an owner
// frame and the athlete grid of its first class, and the test kit's window
// helpers (pump, sendChar, sendKey, ...) in this namespace.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/EditSchueler.h"
#include "app/windows/NotebookPane.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "tests/app/core/TestSupport.h"
#include "tests/support/MessageInput.h"
#include "tests/support/WindowTest.h"

namespace grid_test {

using namespace kel::test;

// The frame that owns the grid and the tab strip; on 2024 it stores the
// team shown so far and loads the chosen one, as the entry window does.
class OwnerFrame : public zFrameWin {
public:
    OwnerFrame() : zFrameWin(new zSizer(30, 30, 760, 420), WS_OVERLAPPEDWINDOW, "Meldungen")
    {
        create();
        show(SW_SHOWNORMAL);
    }
    LRESULT defWindowProc(zEvent* ev) override
    {
        if (ev->message == kMsgTabChanged && grid) {
            ++tabMessages;
            teamSeen = grid->currentRow();
            grid->endEdit();
            grid->storeTable();
            grid->loadTable(grid->currentRow());
            grid->home();
            return 1;
        }
        return zFrameWin::defWindowProc(ev);
    }
    EditSchueler* grid = nullptr;
    int tabMessages = 0;
    int32_t teamSeen = -2;
};

// Class 0: 13 athletes per team, born 1995-2002, disciplines "100m"
// (mask 99','99), "Weit" (9','99) and the relay "4x50".
class GridTest : public kel::test::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();
        UseEvent({kel::test::MakeClass("WK III", 2011, 3, 95, 2, 20)},
                 {{kel::test::MakeDiscipline("100 m Lauf", "99','99", 1, 4),
                   kel::test::MakeDiscipline("Weitsprung", "9','99", 2, 4),
                   kel::test::MakeDiscipline("4 x 50 m", "99','99", 4, 8)}});
        SetFieldText(state_.eventDef->disciplines[0][0].shortName, "100m");
        SetFieldText(state_.eventDef->disciplines[0][1].shortName, "Weit");
        SetFieldText(state_.eventDef->disciplines[0][2].shortName, "4x50");
        gDisziFlags = DisziFlagTable{};
        frame = new OwnerFrame;
        grid = new EditSchueler(frame, new zSizer(0, 0, 700, 330, frame->sizer()), state_, 6, 13, 0);
        grid->show(SW_SHOW);
        frame->grid = grid;
        grid->loadTable(0);
        pump();
    }
    void TearDown() override
    {
        delete frame;
        pump();
        CoreTest::TearDown();
    }
    AthleteRecord* athlete(int32_t m, int32_t t = 0) { return state_.memory->getAthlete(0, t, m); }
    std::string name(int32_t m, int32_t t = 0) { return FieldText(athlete(m, t)->name); }
    HWND hwnd() const { return grid->handle(); }
    // Puts a performance and its tick into row m, discipline k, and reloads.
    void givePerformance(int32_t m, int32_t k, int32_t value, bool ticked)
    {
        SetFieldText(athlete(m)->name, "Läufer");
        athlete(m)->Leistung[k] = value;
        athlete(m)->mask = uint8_t(ticked ? athlete(m)->mask | (1 << k) : athlete(m)->mask & ~(1 << k));
        grid->loadTable(0);
    }
    // Centre of a cell on screen.
    POINT cellCentre(int32_t column, int32_t row) const
    {
        return {grid->columnLeft(column) + grid->columnWidth(column) / 2, grid->rowTop(row) + grid->rowHeight() / 2};
    }

    OwnerFrame* frame = nullptr;
    EditSchueler* grid = nullptr;
};

}  // namespace grid_test
