// Prints a printable pane on a printer display: the first page at the start,
// each further page in one idle pass of the message loop.
#pragma once

#include "framework/core/RcCString.h"
#include "framework/core/zEvH.h"
#include "framework/core/zRect.h"

#include <windows.h>

class zPane;
class zPrinterDisplay;
class zPrJobDlg;
class zDisplay;

class zPrintJob : public zEvH {
public:
    // The job owns the display; the pane stays its owner's.
    zPrintJob(zPane* printable, zPrinterDisplay* display, zPrJobDlg* dialog);
    ~zPrintJob() override;

    void setTitle(const char* title) { title_ = title ? title : ""; }
    const RcCString& title() const { return title_; }
    // Runs the job; 0 when the document could not be started (the job has
    // then finished and deleted itself).
    int start(int modal = 0);
    // Discards the document and finishes the job.
    void abort(int deleteDialog);
    // One idle step; 1 when the job is over and has deleted itself.
    virtual int printStep();

    // The job the abort procedure reports to.
    static zPrintJob* current();
    // Given to SetAbortProc: a spooler error marks the current job aborted;
    // the next step discards the document.
    static BOOL CALLBACK abortProc(HDC dc, int error) noexcept;

    int32_t pageNumber() const { return page_; }
    bool aborted() const { return aborted_ != 0; }

private:
    void printPage(const zRect& band);
    void finish(int deleteDialog);
    // A spooler error was reported: discard and finish; 1 when it did.
    int abortIfReported();

    zPrinterDisplay* display_;
    zPane* printable_;
    RcCString title_;
    zPrJobDlg* dialog_;
    int32_t banding_ = 0;
    int32_t bandCount_ = 0;
    int32_t page_;
    int32_t copiesLeft_ = 1;
    int32_t aborted_ = 0;
    int32_t started_ = 0;
};
