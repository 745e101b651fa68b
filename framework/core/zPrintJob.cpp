#include "framework/core/zPrintJob.h"

#include "framework/core/zApplication.h"
#include "framework/core/zPane.h"
#include "framework/core/zPrJobDlg.h"
#include "framework/core/zPrinterDisplay.h"
#include "framework/core/zTaskDev.h"

namespace {

zPrintJob* g_currentJob = nullptr;

} // namespace

zPrintJob* zPrintJob::current() { return g_currentJob; }

BOOL CALLBACK zPrintJob::abortProc(HDC, int error) noexcept
{
    if (error != 0 && g_currentJob) {
        g_currentJob->aborted_ = 1;
        return FALSE;
    }
    return TRUE;
}

zPrintJob::zPrintJob(zPane* printable, zPrinterDisplay* display, zPrJobDlg* dialog)
    : display_(display), printable_(printable), dialog_(dialog), page_(display ? display->currentPage : 1)
{
    g_currentJob = this;
    if (dialog_)
        dialog_->job = this;
}

zPrintJob::~zPrintJob()
{
    if (g_currentJob == this)
        g_currentJob = nullptr;
    if (dialog_ && dialog_->job == this)
        dialog_->job = nullptr;
    delete display_;
}

void zPrintJob::printPage(const zRect& band)
{
    if (printable_)
        printable_->printPage(display_, band);
}

int zPrintJob::start(int modal)
{
    HDC dc = display_ ? display_->hdc() : nullptr;
    if (dc)
        SetAbortProc(dc, &zPrintJob::abortProc);
    copiesLeft_ = display_ ? display_->copies : 1;
    if (printable_)
        printable_->beginPrint(display_, this);

    DOCINFOA info{};
    info.cbSize = sizeof info;
    info.lpszDocName = title_.c_str();
    // Any result of 0 or below is a failure (a null context gives -1).
    if (!dc || StartDocA(dc, &info) <= 0) {
        finish(1);
        delete this;
        return 0;
    }
    started_ = 1;
    if (dialog_ && !(dialog_->state() & zWindow::WasShown))
        dialog_->show(SW_SHOWNORMAL);
    if (dialog_)
        dialog_->showPage(page_);

    StartPage(dc);
    printPage(zRect{});
    EndPage(dc);
    if (abortIfReported()) {
        delete this;
        return 0;
    }

    if (theApplication && theApplication->taskDev)
        theApplication->taskDev->add(this, zTask(&zPrintJob::printStep));
    if (modal && dialog_)
        dialog_->modal();
    return 1;
}

int zPrintJob::abortIfReported()
{
    if (!aborted_ || !display_)
        return 0;
    abort(1);
    return 1;
}

void zPrintJob::abort(int deleteDialog)
{
    if (display_ && display_->hdc() && started_)
        Escape(display_->hdc(), ABORTDOC, 0, nullptr, nullptr);
    finish(deleteDialog);
}

int zPrintJob::printStep()
{
    if (!printable_ || !display_) {
        delete this;
        return 1;
    }
    HDC dc = display_->hdc();
    if (abortIfReported()) {
        delete this;
        return 1;
    }
    if (banding_) {
        Escape(dc, NEXTBAND, 0, nullptr, &display_->band);
        const zRect& b = display_->band;
        if (b.right > b.left && b.bottom > b.top) {
            if (dialog_)
                dialog_->showBand(bandCount_);
            ++bandCount_;
            printPage(b);
            return 0;
        }
    }
    if (printable_->morePages()) {
        ++display_->currentPage;
        page_ = display_->currentPage;
        if (dialog_)
            dialog_->showPage(page_);
        StartPage(dc);
        printPage(zRect{});
        EndPage(dc);
        if (abortIfReported()) {
            delete this;
            return 1;
        }
        return 0;
    }
    if (display_->repeat && --copiesLeft_ != 0) {
        if (dialog_)
            dialog_->showPage(display_->firstPage);
        display_->currentPage = display_->firstPage;
        page_ = display_->currentPage;
        StartPage(dc);
        printPage(zRect{});
        EndPage(dc);
        return 0;
    }
    EndDoc(dc);
    finish(1);
    delete this;
    return 1;
}

void zPrintJob::finish(int deleteDialog)
{
    if (printable_)
        printable_->endPrint(display_, this);
    delete display_;
    display_ = nullptr;
    if (dialog_) {
        zPrJobDlg* dialog = dialog_;
        dialog_ = nullptr;
        dialog->job = nullptr;
        if (deleteDialog && dialog->isModal()) {
            // Its modal run is still on the stack: the dialog goes when the
            // run returns.
            dialog->deleteOnDestroy();
            dialog->endDialog();
        } else {
            dialog->endDialog();
            if (deleteDialog)
                delete dialog;
        }
    }
    if (g_currentJob == this)
        g_currentJob = nullptr;
    printable_ = nullptr;
}
