#include "app/windows/MeldeWin.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/core/EntryCheck.h"
#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Platform.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/DlgMNEdit.h"
#include "app/windows/DisziFlagTable.h"
#include "app/windows/EditSchueler.h"
#include "app/windows/FehlerWin.h"
#include "app/windows/MeldeToolbar.h"
#include "app/windows/NotebookPane.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "classlib/Application.h"
#include "framework/controls3d/zStatusLineEZ.h"
#include "framework/core/zSizer.h"
#include "framework/core/zString.h"

namespace {

const ClassRecord& ClassOf(const EventState& state, int32_t c) { return state.eventDef->classes[c]; }

std::string TitleOf(const EventState& state, int32_t c) { return FieldText(ClassOf(state, c).name) + ": Meldungen"; }

zString* TabCaption(const TeamRecord* team) { return new zString(FieldText(team->tabName).c_str()); }
zString* TabHint(const TeamRecord* team) { return new zString(FieldText(team->schoolName).c_str()); }

bool HasTeam(const TeamRecord* team) { return team && team->schoolName[0] != '\0'; }

}  // namespace

MeldeWin::MeldeWin(zWindow* frame, EventState& state, int32_t classIndex)
    : zMDIChildFrame(frame, nullptr, WS_OVERLAPPEDWINDOW, TitleOf(state, classIndex).c_str()), state_(state),
      class_(classIndex)
{
    deleteOnDestroy();
    create();
    const ClassRecord& cls = ClassOf(state_, class_);
    for (int32_t k = 0; k < cls.disciplineCount && relay_ < 0; ++k) {
        const int32_t type = state_.eventDef->disciplines[class_][k].type;
        if (type == 4 || type == 10)
            relay_ = k;
    }
    state_.memory->loadClass(class_, kUserEntryWindow);

    toolbar_ = new MeldeToolbar(this, new zGravSizer(zSizerTop, 29, sizer()));
    tabs_ = new NotebookPane(this, new zGravSizer(zSizerBottom, 28, sizer()));
    grid_ = new EditSchueler(this, new zGravSizer(zSizerFill, 0, sizer()), state_, cls.disciplineCount + 3,
                             cls.athletesPerTeam, class_);
    tabs_->setPartner(2, grid_);
    grid_->setTabStrip(tabs_);
    for (int32_t t = 0; t < cls.teamPlaces && t < kMaxTeams; ++t) {
        const TeamRecord* team = state_.memory->getTeam(class_, t);
        if (!HasTeam(team))
            continue;
        state_.memory->loadTeamAthletes(class_, t);
        tabs_->addTab(TabCaption(team), TabHint(team));
    }
    if (tabs_->tabCount() > 0) {
        current_ = 0;
        tabs_->selectTab(0);
        loadTable(0);
    }
    toolbar_->setToggle(state_.settings.bewegung);
    grid_->setEnterMode(state_.settings.bewegung);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(2));
    if (icon)
        SetClassLongPtrA(handle(), GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
    grid_->setRowNumberBase(0);
    store_ = 1;
}

MeldeWin::~MeldeWin()
{
    if (gQuanteloApp)
        gQuanteloApp->forgetEntryWindow(this);
    if (state_.memory)
        state_.memory->releaseClass(class_, 1 << kUserEntryWindow);
}

void MeldeWin::show(int code)
{
    zMDIChildFrame::show(code);
    toolbar_->show(SW_SHOW);
    grid_->show(SW_SHOW);
    tabs_->show(SW_SHOW);
    RECT rc;
    GetClientRect(handle(), &rc);
    // The children are laid out again; the size kind stays what it is, or
    // the MDI client would take a maximised window for a restored one.
    SendMessageA(handle(), WM_SIZE, IsZoomed(handle()) ? SIZE_MAXIMIZED : SIZE_RESTORED,
                 MAKELPARAM(rc.right, rc.bottom));
    SetFocus(grid_->handle());
    if (current_ < 0 && store_ == 1 && !shown_) {
        shown_ = 1;
        teamDialog(0, 0);
    }
}

void MeldeWin::loadTable(int32_t team)
{
    current_ = team;
    grid_->loadTable(team);
}

void MeldeWin::storeTable()
{
    if (current_ >= 0)
        grid_->storeTable();
}

bool MeldeWin::writeClass()
{
    HCURSOR old = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    bool ok = true;
    for (int32_t t = 0; t < tabs_->tabCount(); ++t)
        ok = state_.memory->writeAthletes(class_, t) != 0 && ok;
    SetCursor(old ? old : LoadCursorA(nullptr, IDC_ARROW));
    if (!ok)
        ProgramMessageBox(handle(), "Die Meldedaten konnten nicht gespeichert werden!", "Fehler",
                          MB_OK | MB_ICONSTOP);
    return ok;
}

void MeldeWin::saveAll()
{
    if (store_ != 1 || tabs_->tabCount() == 0)
        return;
    storeTable();
    writeClass();
}

LRESULT MeldeWin::defWindowProc(zEvent* ev)
{
    if (ev->message == kMsgTabChanged) {
        grid_->endEdit();
        if (store_ == 1)
            storeTable();
        loadTable(tabs_->current());
        grid_->home();
        return 0;
    }
    return zMDIChildFrame::defWindowProc(ev);
}

int MeldeWin::focus(zEvent* ev)
{
    if (ev->message == WM_SETFOCUS && grid_ && grid_->handle())
        SetFocus(grid_->handle());
    return 0;
}

int MeldeWin::mdiActivate(zEvent* ev)
{
    zStatusLineEZ* line = gQuanteloApp ? gQuanteloApp->statusLine() : nullptr;
    if (reinterpret_cast<HWND>(ev->lParam) == handle()) {
        if (line) {
            line->messageModeOn();
            line->setMessage("Disziplinen bitte mit der Taste + setzen bzw. mit der Taste - löschen");
        }
    } else {
        if (line)
            line->messageModeOff();
        saveAll();
    }
    return 0;
}

int MeldeWin::close(zEvent*)
{
    saveAll();
    return 0;
}

void MeldeWin::teamDialog(int32_t mode, int32_t relayPage)
{
    const ClassRecord& cls = ClassOf(state_, class_);
    int32_t team = -1;
    if (mode == 0) {
        for (int32_t t = 0; t < cls.teamPlaces && t < kMaxTeams && team < 0; ++t)
            if (!HasTeam(state_.memory->getTeam(class_, t)))
                team = t;
    } else {
        team = current_;
    }
    if (team < 0)
        return;
    if (mode == 0 && store_ == 1 && current_ >= 0)
        storeTable();
    int result = 0;
    {
        TDlgMNEdit dialog(nullptr, state_);
        dialog.LoadTeam(class_, team, mode);
        if (relayPage == 1)
            dialog.ShowRelayTimes();
        result = RunModalForm(&dialog);
        if (result == 1) {
            dialog.StoreTeam();
            const TeamRecord* record = state_.memory->getTeam(class_, team);
            bool ok;
            if (mode == 0) {
                ok = state_.memory->saveTeam(class_, team) != 0;
                tabs_->addTab(TabCaption(record), TabHint(record));
            } else {
                ok = state_.memory->writeTeam(class_, team) != 0;
                tabs_->replaceCurrentTab(TabCaption(record), TabHint(record));
            }
            if (!ok)
                ProgramMessageBox(handle(), "Die Meldedaten konnten nicht gespeichert werden!", "Fehler",
                                  MB_OK | MB_ICONSTOP);
            InvalidateRect(tabs_->handle(), nullptr, TRUE);
            if (mode == 0) {
                current_ = team;
                if (cls.Modus == 4)
                    presetModus4(team);
                tabs_->selectTab(tabs_->tabCount() - 1);
                loadTable(tabs_->tabCount() - 1);
                InvalidateRect(grid_->handle(), nullptr, TRUE);
            }
        }
    }
    if (tabs_->tabCount() == 0 && mode == 0) {
        store_ = 0;
        PostMessageA(handle(), WM_CLOSE, 0, 0);
    } else if (result != 0) {
        grid_->setRowNumberBase(0);
        InvalidateRect(handle(), nullptr, TRUE);
    }
}

void MeldeWin::presetModus4(int32_t team)
{
    const int32_t athletes = ClassOf(state_, class_).athletesPerTeam;
    for (int32_t m = 0; m < athletes; ++m)
        if (const AthleteRecord* a = state_.memory->getAthlete(class_, team, m); a && a->name[0] != '\0')
            return;
    for (int32_t m = 0; m < athletes; ++m) {
        AthleteRecord* a = state_.memory->getAthlete(class_, team, m);
        if (!a)
            continue;
        for (auto& p : a->Leistung)
            p = 0;
        const uint8_t bits = m < 8 ? 15 : 13;
        a->mask = bits;
        a->flag = bits;
        if (m < 8)
            a->Leistung[1] = m + 1;
    }
    grid_->endEdit();
    loadTable(current_);
    grid_->home();
}

void MeldeWin::deleteAthlete()
{
    if (current_ < 0)
        return;
    AthleteRecord* a = state_.memory->getAthlete(class_, current_, grid_->cellRow());
    if (!a)
        return;
    char question[160];
    std::snprintf(question, sizeof question, "Möchten Sie den Teilnehmer »%s« wirklich löschen?",
                  FieldText(a->name).c_str());
    if (ProgramMessageBox(handle(), question, "Achtung", MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    storeTable();
    std::memset(a->name, 0, sizeof a->name);
    std::memset(a->JG, 0, sizeof a->JG);
    std::memset(a->schoolClass, 0, sizeof a->schoolClass);
    a->athleteNumber = 0;
    a->teamNumber = 0;
    a->mask = 0;
    a->flag = 0;
    for (auto& p : a->Leistung)
        p = 0;
    loadTable(current_);
    InvalidateRect(grid_->handle(), nullptr, TRUE);
    writeClass();
}

void MeldeWin::deleteTeam()
{
    if (IsIconic(handle()))
        ShowWindow(handle(), 3);
    if (current_ < 0)
        return;
    const std::string question = FieldText(state_.memory->getTeam(class_, current_)->schoolName) + " wirklich löschen?";
    if (ProgramMessageBox(handle(), question.c_str(), "Löschen bitte bestätigen!", MB_YESNO | MB_ICONQUESTION) ==
        IDNO)
        return;
    // A failed removal changed nothing: the window stays with its data.
    if (state_.memory->removeTeam(class_, current_) == 0) {
        ProgramMessageBox(handle(), "Die Meldedaten konnten nicht gespeichert werden!", "Fehler",
                          MB_OK | MB_ICONSTOP);
        return;
    }
    ProgramMessageBox(handle(), "Schule wird gelöscht und das Fenster geschlossen!", "Information",
                      MB_OK | MB_ICONINFORMATION);
    gDisziFlags.clearClass(class_);
    store_ = 0;
    SendMessageA(handle(), WM_CLOSE, 0, 0);
}

void MeldeWin::checkClass()
{
    storeTable();
    writeClass();
    ShowCheckResult(state_, class_, CheckClass(state_, state_.memory.get(), class_) != 0);
}

void MeldeWin::toggleMovement()
{
    state_.settings.bewegung = state_.settings.bewegung != 1 ? 1 : 2;
    kel::platform().writeProfileString("Tabelle", "Bewegung", std::to_string(state_.settings.bewegung),
                                      state_.settings.iniFile);
    toolbar_->setToggle(state_.settings.bewegung);
    grid_->setEnterMode(state_.settings.bewegung);
    SetFocus(grid_->handle());
}

int MeldeWin::command(zEvent* ev)
{
    switch (ev->loWordW()) {
    case 13:
        if (current_ >= 0) {
            storeTable();
            writeClass();
        }
        SetFocus(grid_->handle());
        return 1;
    case 3062:
        teamDialog(0, 0);
        if (tabs_->tabCount() > 0)
            writeClass();
        return 1;
    case 104:
        teamDialog(1, 0);
        if (tabs_->tabCount() > 0)
            writeClass();
        return 1;
    case 102:
        teamDialog(1, 1);
        return 1;
    case 106:
        deleteAthlete();
        return 1;
    case 105:
        deleteTeam();
        return 1;
    case 10:
        checkClass();
        return 1;
    case 23:
    case 24:
        return gQuanteloApp ? gQuanteloApp->command(ev) : 0;
    case MeldeToolbar::ToggleId:
        toggleMovement();
        return 1;
    default:
        return 0;
    }
}
