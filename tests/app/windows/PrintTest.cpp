// The print queue and the print pane under Wine: jobs print newest first as
// one-page documents (written to a PostScript file through the Windows
// printer setting), a cancelled or failed job frees the queue, no printer
// is reported once, and the pane draws the printouts on a real display.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/core/Settings.h"
#include "app/forms/PrintFrm.h"
#include "app/forms/PrintManager.h"
#include "app/windows/InfoListPane.h"
#include "app/windows/InfoListe.h"
#include "app/windows/ProgramSeams.h"
#include "app/windows/QuanteloApp.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTaskDev.h"
#include "tests/app/core/TestSupport.h"
#include "tests/support/PrinterDevice.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowTest.h"

KEL_TEST_APPLICATION;

namespace {

using kel::test::FileBytes;

// The value of a DSC comment ("%%Title: ...") of a PostScript file.
std::string dsc(const std::string& ps, const std::string& key)
{
    const size_t at = ps.find("%%" + key + ": ");
    if (at == std::string::npos)
        return "";
    const size_t from = at + key.size() + 4;
    std::string v = ps.substr(from, ps.find_first_of("\r\n", from) - from);
    if (v.size() >= 2 && v.front() == '(' && v.back() == ')')
        v = v.substr(1, v.size() - 2);
    // Octal escapes of the PostScript string.
    std::string text;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '\\' && i + 3 < v.size() + 0 && std::isdigit(static_cast<unsigned char>(v[i + 1]))) {
            text += static_cast<char>(std::stoi(v.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            text += v[i];
        }
    }
    return text;
}

class Printing : public kel::test::CoreTest {
protected:
    void SetUp() override
    {
        CoreTest::SetUp();

        ClassRecord cls = kel::test::MakeClass("I Jungen", 2011, 2, 95, 2, 20);
        cls.athletesPerTeam = 4;
        UseEvent({cls}, {{kel::test::MakeDiscipline("100 m Lauf", "99','99", 1, 4),
                          kel::test::MakeDiscipline("4x50m Staffel", "99','99", 4, 8)}});
        SetFieldText(state_.eventDef->disciplines[0][0].shortName, "100m");
        SetFieldText(state_.eventDef->disciplines[0][1].shortName, "Staffel");
        SetFieldText(state_.eventDef->levelNames[0], "Kreisentscheid");
        SetFieldText(state_.eventTitle, "Konstanz");
        gSeams.messageBox = [this](HWND, const char* text, const char* title, UINT) {
            boxes.push_back(std::string(title) + ": " + text);
            return IDOK;
        };
        gSeams.runModal = [](TForm*) { return 1; };
        // The frame of an earlier test stopped the idle tasks as it closed.
        theApplication->taskDev->setEnabled(true);
        frame = new QuanteloApp(nullptr, new zSizer(0, 0, 800, 600), WS_OVERLAPPEDWINDOW, "Kelvora", state_, print_);
        frame->show(SW_SHOWNORMAL);
        kel::test::pump();
    }
    void TearDown() override
    {
        print_.printManager.clear();
        for (int i = 0; i < 20 && theApplication->taskDev->waiting(); ++i)
            theApplication->taskDev->run();
        delete frame;
        kel::test::pump();
        gSeams.reset();
        CoreTest::TearDown();
    }
    void team(int32_t t, const char* list)
    {
        TeamRecord* r = state_.memory->getTeam(0, t);
        SetFieldText(r->schoolName, std::string("Schule ") + list);
        SetFieldText(r->listName, list);
        AthleteRecord* a = state_.memory->getAthlete(0, t, 0);
        SetFieldText(a->name, "Meier, Anna");
        SetFieldText(a->JG, "98");
        a->mask = 1;
        a->Leistung[0] = 1234;
    }
    // Sends the printer's output to a PostScript file; returns its path.
    std::string printTo(const std::string& name) { return device.printTo(name); }
    static void setDevice(const std::string& value) { kel::test::PrinterDevice::set(value); }
    InfoListPane* pane() const { return gInfoListe->pane(); }
    // Runs idle passes until the queue is empty and the pane free; after
    // each job that ended, `ended` reads its output.
    void runQueue(const std::function<void()>& ended = {})
    {
        for (int pass = 0; pass < 200; ++pass) {
            // A job may start and end within one pass.
            const int32_t wasBusy = pane()->busy(), queued = print_.printManager.count();
            theApplication->taskDev->run();
            kel::test::pump();
            if ((wasBusy || print_.printManager.count() < queued) && !pane()->busy() && ended)
                ended();
            if (print_.printManager.count() == 0 && !pane()->busy())
                break;
        }
        theApplication->taskDev->run();  // the task sees the empty queue and ends
    }

    PrintState print_;
    QuanteloApp* frame = nullptr;
    std::vector<std::string> boxes;
    kel::test::PrinterDevice device;
};

TEST_F(Printing, ThePrintCommandPrintsEveryJobNewestFirstAsOnePageDocuments)
{
    team(0, "RS A");
    team(1, "RS B");
    // Each document goes to a file of its own.
    std::string out = printTo("print-queue-0.ps");
    SendMessageA(frame->handle(), WM_COMMAND, 23, 0);
    EXPECT_EQ(print_.printManager.count(), 4);
    std::vector<std::string> titles, pages;
    runQueue([&] {
        const std::string ps = FileBytes(out);
        titles.push_back(dsc(ps, "Title"));
        const size_t trailer = ps.rfind("%%Trailer");
        pages.push_back(dsc(ps.substr(trailer == std::string::npos ? 0 : trailer), "Pages"));
        out = printTo("print-queue-" + std::to_string(titles.size()) + ".ps");
    });
    EXPECT_EQ(titles, (std::vector<std::string>{"Schülerliste I Jungen RS B", "Meldebogen I Jungen RS B",
                                                 "Schülerliste I Jungen RS A", "Meldebogen I Jungen RS A"}));
    EXPECT_EQ(pages, std::vector<std::string>(4, "1"));
    EXPECT_EQ(theApplication->taskDev->waiting(), 0) << "the empty queue ends the idle task";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Printing, TheQueueWaitsWhilePrintingIsOffAndStartsItsTaskOnce)
{
    team(0, "RS A");
    printTo("print-wait.ps");
    const int32_t before = theApplication->taskDev->waiting();
    print_.printManager.add(0, kPrintEntryForm, 0, 0);
    frame->startPrintQueue();
    frame->startPrintQueue();
    EXPECT_EQ(theApplication->taskDev->waiting(), before + 1);
    print_.printing = 0;
    theApplication->taskDev->run();
    EXPECT_EQ(print_.printManager.count(), 1);
    EXPECT_EQ(pane()->busy(), 0);
    print_.printing = 1;
    runQueue();
    EXPECT_EQ(print_.printManager.count(), 0);
}

TEST_F(Printing, ACancelledJobLetsTheNextOnePrint)
{
    team(0, "RS A");
    std::string out = printTo("print-cancel.ps");
    print_.printManager.add(0, kPrintEntryForm, 0, 0);
    print_.printManager.add(1, kPrintPupilList, 0, 0);
    frame->startPrintQueue();
    frame->printQueueStep();  // hands the last job to the pane; its page is printed
    ASSERT_EQ(pane()->busy(), 1);
    EXPECT_EQ(print_.printManager.count(), 1) << "the job left the queue for the pane";
    HWND progress = FindWindowA(nullptr, "Drucke...");
    ASSERT_TRUE(progress);
    SendMessageA(progress, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(GetDlgItem(progress, IDCANCEL)));
    kel::test::pump();
    EXPECT_EQ(pane()->busy(), 0);
    EXPECT_EQ(print_.printManager.count(), 1);
    std::vector<std::string> titles;
    out = printTo("print-cancel-next.ps");
    runQueue([&] { titles.push_back(dsc(FileBytes(out), "Title")); });
    EXPECT_EQ(titles, std::vector<std::string>{"Meldebogen I Jungen RS A"});
    EXPECT_EQ(print_.printManager.count(), 0);
}

TEST_F(Printing, AFailedDocumentFreesThePane)
{
    team(0, "RS A");
    setDevice("PDF,wineps.drv,Z:\\no\\such\\folder\\out.ps");
    print_.printManager.add(0, kPrintEntryForm, 0, 0);
    print_.printManager.add(1, kPrintPupilList, 0, 0);
    frame->startPrintQueue();
    runQueue();
    EXPECT_EQ(print_.printManager.count(), 0);
    EXPECT_EQ(pane()->busy(), 0);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
}

TEST_F(Printing, WithoutAPrinterTheUserIsToldOnceAndTheQueueEmpties)
{
    team(0, "RS A");
    setDevice("");
    for (int i = 0; i < 3; ++i)
        print_.printManager.add(i, kPrintEntryForm, 0, 0);
    frame->startPrintQueue();
    runQueue();
    EXPECT_EQ(boxes, std::vector<std::string>{"Fehler: Es ist kein Drucker eingerichtet!"});
    EXPECT_EQ(print_.printManager.count(), 0);
    EXPECT_EQ(pane()->busy(), 0);
}

TEST_F(Printing, WithoutTeamsThePrintCommandRefuses)
{
    printTo("print-none.ps");
    SendMessageA(frame->handle(), WM_COMMAND, 23, 0);
    EXPECT_EQ(boxes, std::vector<std::string>{"Fehler: Bitte erfassen Sie zuerst die Mannschaften!"});
    EXPECT_EQ(print_.printManager.count(), 0);
}

TEST_F(Printing, TheQueueHolds480Jobs)
{
    print_.printing = 0;
    for (int i = 0; i < 481; ++i)
        print_.printManager.add(i, kPrintEntryForm, 0, 0);
    EXPECT_EQ(print_.printManager.count(), 480);
    EXPECT_EQ(print_.printManager.last()->number, 479);
    EXPECT_EQ(print_.printManager.last()->position, 479);
    print_.printManager.countDown();
    EXPECT_EQ(print_.printManager.last()->number, 478);
    print_.printManager.clear();
    print_.printManager.countDown();
    EXPECT_EQ(print_.printManager.last(), nullptr);
}

TEST_F(Printing, TheResultWindowStaysHidden)
{
    ASSERT_TRUE(gInfoListe && gInfoListe->handle());
    gInfoListe->show(SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindowVisible(gInfoListe->handle()));
    EXPECT_NE(frame->activeChild(), gInfoListe);
}

// Run by print-cups-pdf.sh with KEL_PRINT_TOKEN set: one entry form and
// one pupil list on the default printer (the CUPS PDF queue), which the
// script reads back.
TEST_F(Printing, OneOfEachOnTheDefaultPrinter)
{
    const char* token = std::getenv("KEL_PRINT_TOKEN");
    if (!token)
        GTEST_SKIP() << "run by print-cups-pdf.sh";
    device.restore();
    team(0, token);
    TeamRecord* r = state_.memory->getTeam(0, 0);
    SetFieldText(r->street, "Hauptstraße 1");
    SetFieldText(r->town, "78462 Konstanz");
    SetFieldText(r->supervisor, "Herr Groß");
    print_.printManager.add(0, kPrintEntryForm, 0, 0);
    print_.printManager.add(1, kPrintPupilList, 0, 0);
    frame->startPrintQueue();
    runQueue();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(print_.printManager.count(), 0);
}

// A display over an enhanced metafile: what the pane draws is read back
// record by record.
class MetafileDisplay : public zDisplay {
public:
    MetafileDisplay() : dc_(CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr)) { readCaps(dc_); }
    // Taken while acquired, like a window's context.
    void getDC() override { hdc_ = dc_; }
    zRect extentRect() override { return {0, 0, horzRes_, vertRes_}; }
    HENHMETAFILE close() { return CloseEnhMetaFile(dc_); }

private:
    HDC dc_;
};

struct Placed {
    int32_t x, y;
    std::string text;
};

int CALLBACK collect(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto* out = reinterpret_cast<std::vector<Placed>*>(data);
    if (record->iType == EMR_EXTTEXTOUTW || record->iType == EMR_EXTTEXTOUTA) {
        const auto* r = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const char* base = reinterpret_cast<const char*>(record);
        std::string text;
        if (record->iType == EMR_EXTTEXTOUTW) {
            const auto* w = reinterpret_cast<const wchar_t*>(base + r->emrtext.offString);
            text.resize(r->emrtext.nChars * 2 + 1);
            const int n = WideCharToMultiByte(1252, 0, w, int(r->emrtext.nChars), text.data(), int(text.size()),
                                              nullptr, nullptr);
            text.resize(size_t(n));
        } else {
            text.assign(base + r->emrtext.offString, r->emrtext.nChars);
        }
        out->push_back({r->emrtext.ptlReference.x, r->emrtext.ptlReference.y, text});
    }
    return 1;
}

TEST_F(Printing, ThePaneDrawsThePrintoutsOnARealDisplay)
{
    team(0, "RS A");
    state_.settings.font = "Courier New";
    struct Case {
        int32_t type;
        const char* face;
        int32_t width, height, pitch, column;
    };
    for (const Case& k : {Case{kPrintEntryForm, "Arial", 40, 80, VARIABLE_PITCH, 50},
                          Case{kPrintPupilList, "Courier New", 60, 120, FIXED_PITCH, 36}, Case{7, "", 0, 0, 0, 0}}) {
        MetafileDisplay display;
        pane()->setJob(PrintJob{0, k.type, 0, 0, 0});
        pane()->printPage(&display, zRect{});
        std::vector<Placed> placed;
        HENHMETAFILE emf = display.close();
        EnumEnhMetaFile(nullptr, emf, collect, &placed, nullptr);
        DeleteEnhMetaFile(emf);
        if (k.type == 7) {
            EXPECT_TRUE(placed.empty()) << "another print type draws an empty page";
            continue;
        }
        // The character width of the text font, measured independently.
        HDC screen = GetDC(nullptr);
        const int ppiX = GetDeviceCaps(screen, LOGPIXELSX), ppiY = GetDeviceCaps(screen, LOGPIXELSY);
        HFONT font = CreateFontA(-((k.height * ppiY / 72 + 5) / 10), (k.width * ppiX / 72 + 5) / 10, 0, 0, 400, 0,
                                 0, 0, ANSI_CHARSET, 0, 0, 0, k.pitch, k.face);
        HGDIOBJ old = SelectObject(screen, font);
        SIZE x{};
        GetTextExtentPoint32A(screen, "X", 1, &x);
        SelectObject(screen, old);
        DeleteObject(font);
        ReleaseDC(nullptr, screen);
        ASSERT_GT(x.cx, 0);
        const Placed* heading = nullptr;
        for (const Placed& p : placed)
            if (p.text == "Leichtathletik")
                heading = &p;
        ASSERT_NE(heading, nullptr) << k.type;
        EXPECT_EQ(heading->x, k.column * x.cx) << k.type;
        EXPECT_EQ(placed.front().text, "Bundeswettbewerb der Schulen");
        EXPECT_EQ(placed.front().y, 15);
    }
}

} // namespace
