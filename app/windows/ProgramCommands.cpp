#include "app/windows/ProgramCommands.h"

#include <memory>

#include "app/core/EntryCheck.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"
#include "app/forms/OpenDatei.h"
#include "app/forms/PrintFrm.h"
#include "app/forms/PrintManager.h"
#include "app/windows/FehlerWin.h"
#include "app/windows/MeldeWin.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "classlib/Application.h"

int OpenClassCommand(QuanteloApp* frame)
{
    int32_t cls = -1;
    {
        TOpenDatei chooser(nullptr);
        const int result = frame->runWithHint(
            "Bitte wählen Sie die Klasse aus, in der Sie eine Mannschaft erfassen/bearbeiten möchten",
            [&] { return RunModalForm(&chooser); });
        if (result != 1)
            return 1;
        cls = chooser.ColumnListBox1->GetItemIndexP();
    }
    if (cls < 0 || cls >= 12)
        return 1;
    if (!gMeldeWins[cls]) {
        gMeldeWins[cls] = new MeldeWin(frame, cls);
        gMeldeWins[cls]->show(SW_SHOWMAXIMIZED);
    } else {
        gMeldeWins[cls]->activate();
        if (IsIconic(gMeldeWins[cls]->handle()))
            ShowWindow(gMeldeWins[cls]->handle(), SW_SHOWNORMAL);
    }
    return 1;
}

int CheckAllCommand(QuanteloApp*)
{
    gMeldefehler->clearAll();
    int32_t failed = 0;
    const int32_t classes = gEventDef ? int32_t(gEventDef->classCount) : 0;
    for (int32_t c = 0; c < classes; ++c)
        if (CheckClass(gMemory.get(), c))
            ++failed;
    ShowCheckResult(-1, failed > 0);
    return failed > 0 ? 1 : 0;
}

int PrintCommand(QuanteloApp* frame)
{
    // What is printed comes from the store: every open entry window saves
    // its team first.
    frame->closeEntryWindows();
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());
    int32_t teams = 0;
    const int32_t classes = gEventDef ? int32_t(gEventDef->classCount) : 0;
    for (int32_t c = 0; c < classes && gMemory; ++c)
        for (int32_t t = 0; t < kMaxTeams; ++t)
            if (TeamRecord* r = gMemory->getTeam(c, t); r && FieldLength(r->schoolName) > 0)
                ++teams;
    if (teams == 0) {
        ProgramMessageBox(frame->handle(), "Bitte erfassen Sie zuerst die Mannschaften!", "Fehler",
                          MB_OK | MB_ICONSTOP);
        return 1;
    }
    TPrintFrm form(nullptr);
    if (frame->runWithHint(kDialogHint, [&] { return RunModalForm(&form); }) == 1) {
        form.PrintChecked();
        gPrinting = 1;
    }
    return 1;
}
