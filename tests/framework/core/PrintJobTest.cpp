// Print jobs on the system's printer, whose output the tests send to a
// PostScript file: pages from idle steps, the progress dialog, the document
// title and page count, Cancel and spooler errors.
#include "tests/support/WindowTest.h"
#include "tests/support/PrinterDevice.h"

#include "framework/core/zBitmap.h"
#include "framework/core/zPane.h"
#include "framework/core/zPrJobDlg.h"
#include "framework/core/zPrintJob.h"
#include "framework/core/zPrinterDisplay.h"
#include "framework/core/zTaskDev.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using kel::test::pump;

namespace {

// A pane with a given number of pages (0: endless) that writes its page
// number on each page.
class PagesPane : public zPane {
public:
    PagesPane(zWindow* parent, int pageCount) : zPane(parent, new zSizer(0, 0, 10, 10, parent->sizer()), 0, 0, 1), pages(pageCount) {}

    int beginPrint(zDisplay* display, zPrintJob*) override
    {
        ++begun;
        printer = static_cast<zPrinterDisplay*>(display);
        return 1;
    }
    void endPrint(zDisplay*, zPrintJob*) override { ++ended; }
    int printPage(zDisplay* display, const zRect&) override
    {
        ++printed;
        if (picture)
            pictureDrawn = display->drawBitmap(picture, 100, 100);
        char text[32];
        wsprintfA(text, "Seite %d von Kelvora", printed);
        TextOutA(display->hdc(), 300, 300, text, lstrlenA(text));
        if (dialog)
            if (zWindow* item = dialog->childById(102)) {
                char shown[64] = {};
                GetWindowTextA(item->handle(), shown, sizeof shown);
                pageTexts.push_back(shown);
            }
        return 1;
    }
    int morePages() override
    {
        if (byPageNumber)
            return printer->currentPage < pages;
        return pages == 0 || printed < pages;
    }

    int pages;
    bool byPageNumber = false;
    zPrinterDisplay* printer = nullptr;
    int printed = 0, begun = 0, ended = 0;
    zPrJobDlg* dialog = nullptr;
    std::vector<std::string> pageTexts;
    zBitmap* picture = nullptr;
    int32_t pictureDrawn = -1;
};

class PrintJobs : public kel::test::FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
    }
    void TearDown() override
    {
        // Let finished jobs leave the task device.
        for (int i = 0; i < 10 && theApplication->taskDev->waiting(); ++i)
            theApplication->taskDev->run();
        FrameTest::TearDown();
    }
    // Sends the printer's output to a file of the build tree; returns its
    // Windows path.
    std::string printTo(const std::string& name) { return device.printTo(name); }
    // Runs the message loop until the pane's job has ended; the job's idle
    // steps run between the messages, as in the application's loop.
    void runUntilEnded(PagesPane& pane)
    {
        EXPECT_TRUE(kel::test::pumpUntil(
            [&] {
                theApplication->taskDev->run();
                return pane.ended != 0;
            },
            std::chrono::seconds(20)));
        pump();
    }

    kel::test::PrinterDevice device;
};

TEST_F(PrintJobs, PrintsTwoPagesFromIdleSteps)
{
    std::string out = printTo("fwc-two-pages.ps");
    auto* pane = new PagesPane(frame, 2);
    auto* display = new zPrinterDisplay();
    ASSERT_TRUE(display->hdc()) << "no printer: is CUPS with the PDF queue running?";
    EXPECT_EQ(display->band.right, display->horzRes());
    auto* dialog = new zDefPrJobDlg(frame, zResId(9));
    pane->dialog = dialog;
    auto* job = new zPrintJob(pane, display, dialog);
    job->setTitle("Meldebogen Kreisentscheid");
    EXPECT_EQ(zPrintJob::current(), job);

    ASSERT_EQ(job->start(0), 1);
    // The first page is printed at once, with the dialog showing.
    EXPECT_EQ(pane->printed, 1);
    EXPECT_TRUE(IsWindowVisible(dialog->handle()));
    runUntilEnded(*pane);

    EXPECT_EQ(pane->begun, 1);
    EXPECT_EQ(pane->printed, 2);
    EXPECT_EQ(pane->ended, 1);
    EXPECT_EQ(zPrintJob::current(), nullptr);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
    ASSERT_EQ(pane->pageTexts.size(), 2u);
    EXPECT_EQ(pane->pageTexts[0], "Seite #1");
    EXPECT_EQ(pane->pageTexts[1], "Seite #2");

    std::string ps = kel::test::FileBytes(out);
    EXPECT_NE(ps.find("%%Title: Meldebogen Kreisentscheid"), std::string::npos) << ps.substr(0, 400);
    EXPECT_NE(ps.find("%%Pages: 2"), std::string::npos);
}

// A progress dialog that tells whether its modal run was still going on
// when it was deleted.
class WatchedDlg : public zDefPrJobDlg {
public:
    WatchedDlg(zWindow* parent, int* flag) : zDefPrJobDlg(parent, zResId(9)), deletedInRun(flag) {}
    ~WatchedDlg() override { *deletedInRun = isModal(); }
    int* deletedInRun;
};

TEST_F(PrintJobs, ModalJobReturnsWhenPrinted)
{
    printTo("fwc-modal.ps");
    auto* pane = new PagesPane(frame, 3);
    int deletedInRun = -1;
    auto* dialog = new WatchedDlg(frame, &deletedInRun);
    HWND dialogWindow = dialog->handle();
    auto* job = new zPrintJob(pane, new zPrinterDisplay(), dialog);
    // The pages come from the idle passes of the dialog's own loop; the
    // dialog goes once that loop has returned.
    EXPECT_EQ(job->start(1), 1);
    pump();
    EXPECT_EQ(pane->printed, 3);
    EXPECT_EQ(pane->ended, 1);
    EXPECT_EQ(deletedInRun, 0);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_TRUE(IsWindowEnabled(frame->handle()));
}

TEST_F(PrintJobs, CancelAbortsWithoutStallingLaterJobs)
{
    std::string first = printTo("fwc-cancelled.ps");
    auto* endless = new PagesPane(frame, 0);
    auto* dialog = new zDefPrJobDlg(frame, zResId(9));
    HWND dialogWindow = dialog->handle();
    auto* job = new zPrintJob(endless, new zPrinterDisplay(), dialog);
    job->setTitle("Abgebrochen");
    ASSERT_EQ(job->start(0), 1);
    theApplication->taskDev->run();
    EXPECT_EQ(endless->printed, 2);

    // The Cancel button of the progress dialog.
    zWindow* cancel = dialog->childById(IDCANCEL);
    ASSERT_TRUE(cancel);
    SendMessageA(dialogWindow, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(cancel->handle()));
    EXPECT_EQ(endless->ended, 1);
    EXPECT_EQ(zPrintJob::current(), nullptr);
    pump();
    theApplication->taskDev->run();
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
    EXPECT_EQ(endless->printed, 2);
    EXPECT_FALSE(IsWindow(dialogWindow)); // the dialog went after its command
    EXPECT_EQ(kel::test::FileBytes(first).find("%%Pages: 2"), std::string::npos);

    // The next job runs to its end.
    std::string second = printTo("fwc-after-cancel.ps");
    auto* pane = new PagesPane(frame, 1);
    auto* next = new zPrintJob(pane, new zPrinterDisplay(), new zDefPrJobDlg(frame, zResId(9)));
    next->setTitle("Schülerliste");
    ASSERT_EQ(next->start(0), 1);
    runUntilEnded(*pane);
    EXPECT_EQ(pane->printed, 1);
    std::string ps = kel::test::FileBytes(second);
    EXPECT_NE(ps.find("%%Pages: 1"), std::string::npos);
    // The title's "ü" (Windows-1252 FC) in the PostScript string's escape.
    EXPECT_NE(ps.find("%%Title: (Sch\\374lerliste)"), std::string::npos);
}

TEST_F(PrintJobs, SpoolerErrorAbortsAfterTheCallReturns)
{
    printTo("fwc-spooler-error.ps");
    auto* pane = new PagesPane(frame, 0);
    auto* dialog = new zDefPrJobDlg(frame, zResId(9));
    HWND dialogWindow = dialog->handle();
    auto* job = new zPrintJob(pane, new zPrinterDisplay(), dialog);
    ASSERT_EQ(job->start(0), 1);
    // The procedure only records the error and asks the spooler to stop.
    EXPECT_EQ(zPrintJob::abortProc(nullptr, 0), TRUE);
    EXPECT_EQ(zPrintJob::abortProc(nullptr, SP_ERROR), FALSE);
    EXPECT_EQ(pane->ended, 0);
    EXPECT_EQ(zPrintJob::current(), job);
    theApplication->taskDev->run();
    EXPECT_EQ(pane->ended, 1);
    EXPECT_EQ(pane->printed, 1);
    EXPECT_EQ(zPrintJob::current(), nullptr);
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
    EXPECT_FALSE(IsWindow(dialogWindow));
}

TEST_F(PrintJobs, NoPrinterEndsSilently)
{
    zPrinterDesc noDriver("PDF");
    auto* display = new zPrinterDisplay(&noDriver);
    EXPECT_EQ(display->hdc(), nullptr);
    auto* pane = new PagesPane(frame, 2);
    auto* dialog = new zDefPrJobDlg(frame, zResId(9));
    HWND dialogWindow = dialog->handle();
    auto* job = new zPrintJob(pane, display, dialog);
    EXPECT_EQ(job->start(0), 0);
    EXPECT_EQ(pane->printed, 0);
    EXPECT_EQ(pane->ended, 1);
    EXPECT_EQ(zPrintJob::current(), nullptr);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(theApplication->taskDev->waiting(), 0);
}

TEST_F(PrintJobs, RepeatPrintsTheDocumentAgainPerCopy)
{
    std::string out = printTo("fwc-copies.ps");
    auto* pane = new PagesPane(frame, 2);
    auto* display = new zPrinterDisplay();
    display->repeat = 1;
    display->copies = 2;
    auto* dialog = new zDefPrJobDlg(frame, zResId(9));
    pane->dialog = dialog;
    pane->byPageNumber = true;
    auto* job = new zPrintJob(pane, display, dialog);
    ASSERT_EQ(job->start(0), 1);
    runUntilEnded(*pane);
    // After the last page the first page number comes again.
    EXPECT_EQ(pane->printed, 4);
    ASSERT_EQ(pane->pageTexts.size(), 4u);
    EXPECT_EQ(pane->pageTexts[2], "Seite #1");
    EXPECT_EQ(pane->pageTexts[3], "Seite #2");
    EXPECT_NE(kel::test::FileBytes(out).find("%%Pages: 4"), std::string::npos);
}

TEST_F(PrintJobs, BitmapsOfTheScreenPrint)
{
    // A bitmap made for the screen, as the windows draw them.
    HDC screen = GetDC(nullptr);
    HBITMAP handle = CreateCompatibleBitmap(screen, 40, 20);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, handle);
    RECT all{0, 0, 40, 20};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, red);
    DeleteObject(red);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    zBitmap picture(handle);

    std::string out = printTo("fwc-bitmap.ps");
    auto* pane = new PagesPane(frame, 1);
    pane->picture = &picture;
    auto* job = new zPrintJob(pane, new zPrinterDisplay(), new zDefPrJobDlg(frame, zResId(9)));
    ASSERT_EQ(job->start(0), 1);
    runUntilEnded(*pane);
    EXPECT_EQ(pane->pictureDrawn, 1);
    std::string ps = kel::test::FileBytes(out);
    // One image of the bitmap's size at the given place on the page.
    size_t page = ps.find("%%Page: 1");
    ASSERT_NE(page, std::string::npos);
    EXPECT_NE(ps.find("100 100 translate\n40 20 scale", page), std::string::npos);
    EXPECT_NE(ps.find("/Width 40\n /Height 20", page), std::string::npos);
    EXPECT_NE(ps.find("\nimage\n", page), std::string::npos);
}

} // namespace
