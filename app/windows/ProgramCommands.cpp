#include "app/windows/ProgramCommands.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "app/core/EntryCheck.h"
#include "app/core/EventState.h"
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
#include "app/windows/CommandHost.h"
#include "app/windows/FehlerWin.h"
#include "app/windows/ProgramSeams.h"
#include "classlib/Application.h"
#include "classlib/StringList.h"

int OpenClassCommand(CommandHost& host, EventState& state)
{
    int32_t cls = -1;
    {
        TOpenDatei chooser(nullptr, state);
        const int result = host.runWithHint(
            "Bitte wählen Sie die Klasse aus, in der Sie eine Mannschaft erfassen/bearbeiten möchten",
            [&] { return RunModalForm(&chooser); });
        if (result != 1)
            return 1;
        cls = chooser.ColumnListBox1->GetItemIndexP();
    }
    if (cls < 0 || cls >= 12)
        return 1;
    host.openEntryWindow(cls);
    return 1;
}

int CheckAllCommand(CommandHost&, EventState& state)
{
    state.meldefehler->clearAll();
    int32_t failed = 0;
    const int32_t classes = state.eventDef ? int32_t(state.eventDef->classCount) : 0;
    for (int32_t c = 0; c < classes; ++c)
        if (CheckClass(state, state.memory.get(), c))
            ++failed;
    ShowCheckResult(state, -1, failed > 0);
    return failed > 0 ? 1 : 0;
}

int PrintCommand(CommandHost& host, EventState& state, PrintState& print)
{
    // What is printed comes from the store: every open entry window saves
    // its team first.
    host.closeEntryWindows();
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());
    int32_t teams = 0;
    const int32_t classes = state.eventDef ? int32_t(state.eventDef->classCount) : 0;
    for (int32_t c = 0; c < classes && state.memory; ++c)
        for (int32_t t = 0; t < kMaxTeams; ++t)
            if (TeamRecord* r = state.memory->getTeam(c, t); r && FieldLength(r->schoolName) > 0)
                ++teams;
    if (teams == 0) {
        ProgramMessageBox(host.owner(), "Bitte erfassen Sie zuerst die Mannschaften!", "Fehler",
                          MB_OK | MB_ICONSTOP);
        return 1;
    }
    TPrintFrm form(nullptr, state, print);
    if (host.runWithHint(kDialogHint, [&] { return RunModalForm(&form); }) == 1) {
        form.PrintChecked();
        print.printing = 1;
    }
    return 1;
}

namespace {

// The key under which the entry-file settings of the loaded event are kept:
// the event name without its leading separator, cut at its point.
std::string EventKey(const EventState& state)
{
    std::string key = state.eventName;
    if (!key.empty() && (key[0] == '\\' || key[0] == '/'))
        key.erase(0, 1);
    const auto dot = key.find('.');
    return dot == std::string::npos ? key : key.substr(0, dot);
}

std::string ReadEntrySetting(const EventState& state, const char* section)
{
    return kel::platform().getProfileString(section, EventKey(state), "", state.settings.iniFile);
}

void WriteEntrySetting(const EventState& state, const char* section, const std::string& value)
{
    kel::platform().writeProfileString(section, EventKey(state), value, state.settings.iniFile);
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

}  // namespace

namespace {

// A name the system keeps for a device, as the part of a file name before
// its first point: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM and LPT with a
// digit (also the superscripts 1, 2, 3 of Windows-1252), in any case and
// with blanks after it.
bool IsDeviceName(std::string base)
{
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& ch : base)
        if (ch >= 'a' && ch <= 'z')
            ch = char(ch - 'a' + 'A');
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (base == device)
            return true;
    if (base.size() != 4 || (base.compare(0, 3, "COM") != 0 && base.compare(0, 3, "LPT") != 0))
        return false;
    const unsigned char n = static_cast<unsigned char>(base[3]);
    return (n >= '0' && n <= '9') || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

// The bytes a name takes at most in a file system that keeps names in
// UTF-8 (Wine's host): a Windows-1252 character above 127 takes two bytes,
// one of the range 128-159 up to three.
size_t StoredSize(const std::string& text)
{
    size_t n = 0;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        n += c < 0x80 ? 1 : c < 0xA0 ? 3 : 2;
    }
    return n;
}

// The longest start of a text that takes at most `limit` bytes.
std::string CutToSize(const std::string& text, size_t limit)
{
    size_t n = 0, i = 0;
    for (; i < text.size(); ++i) {
        const size_t next = n + StoredSize(text.substr(i, 1));
        if (next > limit)
            break;
        n = next;
    }
    return text.substr(0, i);
}

}  // namespace

std::string CleanEntryFileName(const std::string& typed, size_t maxLength)
{
    std::string name = typed;
    for (char& ch : name)
        if (static_cast<unsigned char>(ch) < 0x20 || std::strchr("\\/\"*<>?|:", ch))
            ch = ' ';
    if (maxLength > 0 && StoredSize(name) > maxLength) {
        const size_t dot = name.rfind('.');
        const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
        if (!extension.empty() && StoredSize(extension) <= maxLength / 2)
            name = CutToSize(name.substr(0, dot), maxLength - StoredSize(extension)) + extension;
        else
            name = CutToSize(name, maxLength);
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.'))
        name.pop_back();
    const std::string base = name.substr(0, name.find('.'));
    if (IsDeviceName(base))
        name.insert(base.find_last_not_of(' ') + 1, "_");
    return name;
}

int CreateEntryFileCommand(CommandHost& host, EventState& state)
{
    host.closeEntryWindows();
    if (gFehlerWin)
        DestroyWindow(gFehlerWin->handle());

    std::string school;
    bool any = false;
    const int32_t classes = state.eventDef ? std::clamp<int32_t>(state.eventDef->classCount, 0, kMaxClasses) : 0;
    for (int32_t c = 0; c < classes && !any; ++c)
        for (int32_t t = 0; t < kMaxTeams && !any; ++t)
            if (TeamHasEntries(state, c, t)) {
                any = true;
                school = FieldText(state.memory->getTeam(c, t)->schoolName);
            }
    if (!any) {
        ProgramMessageBox(host.owner(), "Bitte erfassen Sie zuerst die Mannschaften!", "Fehler", MB_OK | MB_ICONSTOP);
        return 1;
    }

    std::memset(EntrySelection, 0, sizeof EntrySelection);
    TMeldefile form(nullptr, state);
    form.RadioGroup1->SetItemIndex(0);
    form.bsWizard1->SetActivePageIndex(0);
    const std::string folder = state.settings.programDir + "meldung";
    form.Path->SetInitialDir(folder);
    form.Path->SetText(folder);
    form.FileName->SetText(school + ".VOV");
    form.MailAdress->SetText(ReadEntrySetting(state, "Internet"));
    if (std::string stored = ReadEntrySetting(state, "MeldePath"); !stored.empty())
        form.Path->SetText(stored);
    if (std::string stored = ReadEntrySetting(state, "FileName"); !stored.empty())
        form.FileName->SetText(stored);

    if (host.runWithHint(kDialogHint, [&] { return RunModalForm(&form); }) != 1)
        return 1;

    const int choice = form.RadioGroup1->ItemIndex();
    int32_t ticked = 0, errors = 0;
    for (int32_t i = 0; i < form.LineCount(); ++i) {
        if (!form.CheckList1->IsChecked(i))
            continue;
        const int32_t c = form.LineClass(i), t = form.LineTeam(i);
        EntrySelection[c][t] = 1;
        ++ticked;
        errors += CheckClass(state, state.memory.get(), c);
    }
    if (ticked == 0) {
        ProgramMessageBox(host.owner(), "Sie haben keine Schulen ausgewählt!", "Fehler!", MB_OK | MB_ICONINFORMATION);
        return 1;
    }
    if (errors > 0) {
        ProgramMessageBox(host.owner(), "Kann keine Meldedatei erstellen, da Meldefehler enthalten sind!",
                          "Meldefehler!", MB_OK | MB_ICONINFORMATION);
        return 1;
    }

    const std::string folderText = form.Path->GetText();
    const std::string nameText = form.FileName->Text();
    std::string path = folderText;
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    // The name is cut so that the path of the temporary file the entry file
    // is written to first stays within what the system's file calls take.
    size_t maxLength = kEntryFileNameLength;
    if (const size_t used = path.size() + kel::kTempSuffixLength; used < MAX_PATH - 1)
        maxLength = std::min<size_t>(maxLength, MAX_PATH - 1 - used);
    const std::string name = CleanEntryFileName(nameText, maxLength);
    if (name.empty()) {
        ProgramMessageBox(host.owner(), "Bitte geben Sie einen Dateinamen an!", "Fehler", MB_OK | MB_ICONSTOP);
        return 1;
    }
    path += name;

    const bool written = ForceFolder(folderText) && WriteEntryFileWithPrompt(state, path, true);
    if (written) {
        WriteEntrySetting(state, "MeldePath", folderText);
        WriteEntrySetting(state, "FileName", nameText);
        Log("Meldedatei " + path + " wurde erzeugt!");
    } else {
        Log("FEHLER! Meldedatei " + path + " konnte nicht erzeugt werden!");
        ProgramMessageBox(host.owner(), "Die Meldedatei konnte nicht erzeugt werden!", "Fehler", MB_OK | MB_ICONSTOP);
    }
    if (state.memory)
        state.memory->releaseClass(0, 1 << kUserEntryFile);

    if (choice == 1 && written) {
        const std::string address = form.MailAdress->Text();
        TStringList to, attachments;
        to.Add(address);
        attachments.Add(path);
        if (SendMailMapi(&to, nullptr, kEntryMailSubject, kEntryMailBody, &attachments)) {
            WriteEntrySetting(state, "Internet", address);
            ProgramMessageBox(host.owner(), "Die Meldedatei wurde erfolgreich an Ihr Mailprogramm übergeben!",
                              "Information", MB_OK | MB_ICONINFORMATION);
            Log("Meldedatei " + path + " an " + address + " wurde an das Mailprogramm übergeben");
        } else {
            ProgramMessageBox(host.owner(), "Die Meldung konnte leider nicht an Ihr Mailprogramm übergeben werden!",
                              "Fehler", MB_OK | MB_ICONSTOP);
            Log("Fehler! Meldedatei konnte nicht übergeben werden!");
        }
    }
    return 1;
}
