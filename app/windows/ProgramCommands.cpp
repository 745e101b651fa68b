#include "app/windows/ProgramCommands.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/core/EntryCheck.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Meldefehler.h"
#include "app/core/Memory.h"
#include "app/core/Platform.h"
#include "app/core/Settings.h"
#include "app/forms/EntrySelection.h"
#include "app/forms/MailHandOff.h"
#include "app/forms/Meldefile.h"
#include "app/forms/OpenDatei.h"
#include "app/forms/PrintFrm.h"
#include "app/forms/PrintManager.h"
#include "app/forms/Protokoll.h"
#include "app/forms/TWaitOneMoment.h"
#include "app/windows/FehlerWin.h"
#include "app/windows/MeldeWin.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "classlib/Application.h"
#include "classlib/StringList.h"

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

namespace {

// The key under which the entry-file settings of the loaded event are kept:
// the event name without its leading separator, cut at its point.
std::string EventKey()
{
    std::string key = gEventName;
    if (!key.empty() && (key[0] == '\\' || key[0] == '/'))
        key.erase(0, 1);
    const auto dot = key.find('.');
    return dot == std::string::npos ? key : key.substr(0, dot);
}

std::string ReadEntrySetting(const char* section)
{
    return kel::platform().getProfileString(section, EventKey(), "", gSettings.iniFile);
}

void WriteEntrySetting(const char* section, const std::string& value)
{
    kel::platform().writeProfileString(section, EventKey(), value, gSettings.iniFile);
}

// "<date>, <time>: " in the system's short formats.
std::string LogStamp()
{
    char date[64] = {}, time[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, sizeof time);
    return std::string(date) + ", " + time + ": ";
}

void Log(const std::string& line)
{
    if (gProtokoll)
        gProtokoll->AddLine(LogStamp() + line);
}

HWND Owner(QuanteloApp* frame) { return frame ? frame->handle() : nullptr; }

}  // namespace

std::string CleanEntryFileName(const std::string& typed)
{
    std::string name = typed;
    for (char& ch : name)
        if (static_cast<unsigned char>(ch) < 0x20 || std::strchr("\\/\"*<>?|:", ch))
            ch = ' ';
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    return name;
}

int CreateEntryFileCommand(QuanteloApp* frame)
{
    frame->closeEntryWindows();
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());

    std::string school;
    bool any = false;
    const int32_t classes = gEventDef ? std::clamp<int32_t>(gEventDef->classCount, 0, kMaxClasses) : 0;
    for (int32_t c = 0; c < classes && !any; ++c)
        for (int32_t t = 0; t < kMaxTeams && !any; ++t)
            if (TeamHasEntries(c, t)) {
                any = true;
                school = FieldText(gMemory->getTeam(c, t)->schoolName);
            }
    if (!any) {
        ProgramMessageBox(Owner(frame), "Bitte erfassen Sie zuerst die Mannschaften!", "Fehler", MB_OK | MB_ICONSTOP);
        return 1;
    }

    std::memset(EntrySelection, 0, sizeof EntrySelection);
    TMeldefile form(nullptr);
    form.RadioGroup1->SetItemIndex(0);
    form.bsWizard1->SetActivePageIndex(0);
    const std::string folder = gSettings.programDir + "meldung";
    form.Path->SetInitialDir(folder);
    form.Path->SetText(folder);
    form.FileName->SetText(school + ".VOV");
    form.MailAdress->SetText(ReadEntrySetting("Internet"));
    if (std::string stored = ReadEntrySetting("MeldePath"); !stored.empty())
        form.Path->SetText(stored);
    if (std::string stored = ReadEntrySetting("FileName"); !stored.empty())
        form.FileName->SetText(stored);

    if (frame->runWithHint(kDialogHint, [&] { return RunModalForm(&form); }) != 1)
        return 1;

    const int choice = form.RadioGroup1->ItemIndex();
    int32_t ticked = 0, errors = 0;
    for (int32_t i = 0; i < form.LineCount(); ++i) {
        if (!form.CheckList1->IsChecked(i))
            continue;
        const int32_t c = form.LineClass(i), t = form.LineTeam(i);
        EntrySelection[c][t] = 1;
        ++ticked;
        errors += CheckClass(gMemory.get(), c);
    }
    if (ticked == 0) {
        ProgramMessageBox(Owner(frame), "Sie haben keine Schulen ausgewählt!", "Fehler!", MB_OK | MB_ICONINFORMATION);
        return 1;
    }
    if (errors > 0) {
        ProgramMessageBox(Owner(frame), "Kann keine Meldedatei erstellen, da Meldefehler enthalten sind!",
                          "Meldefehler!", MB_OK | MB_ICONINFORMATION);
        return 1;
    }

    const std::string folderText = form.Path->GetText();
    const std::string nameText = form.FileName->Text();
    const std::string name = CleanEntryFileName(nameText);
    if (name.empty()) {
        ProgramMessageBox(Owner(frame), "Bitte geben Sie einen Dateinamen an!", "Fehler", MB_OK | MB_ICONSTOP);
        return 1;
    }
    std::string path = folderText;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    path += name;

    const bool written = ForceFolder(folderText) && WriteEntryFileWithPrompt(path, true);
    if (written) {
        WriteEntrySetting("MeldePath", folderText);
        WriteEntrySetting("FileName", nameText);
        Log("Meldedatei " + path + " wurde erzeugt!");
    } else {
        Log("FEHLER! Meldedatei " + path + " konnte nicht erzeugt werden!");
        ProgramMessageBox(Owner(frame), "Die Meldedatei konnte nicht erzeugt werden!", "Fehler", MB_OK | MB_ICONSTOP);
    }
    if (gMemory)
        gMemory->releaseClass(0, 1 << kUserEntryFile);

    if (choice == 1 && written) {
        const std::string address = form.MailAdress->Text();
        TStringList to, attachments;
        to.Add(address);
        attachments.Add(path);
        if (SendMailMapi(&to, nullptr, kEntryMailSubject, kEntryMailBody, &attachments)) {
            WriteEntrySetting("Internet", address);
            ProgramMessageBox(Owner(frame), "Die Meldedatei wurde erfolgreich an Ihr Mailprogramm übergeben!",
                              "Information", MB_OK | MB_ICONINFORMATION);
            Log("Meldedatei " + path + " an " + address + " wurde an das Mailprogramm übergeben");
        } else {
            ProgramMessageBox(Owner(frame), "Die Meldung konnte leider nicht an Ihr Mailprogramm übergeben werden!",
                              "Fehler", MB_OK | MB_ICONSTOP);
            Log("Fehler! Meldedatei konnte nicht übergeben werden!");
        }
    }
    return 1;
}
