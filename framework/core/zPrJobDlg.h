// Progress dialogs of print jobs.
#pragma once

#include "framework/core/zDialogFrame.h"

class zPrintJob;

class zPrJobDlg : public zDialogFrame {
public:
    zPrJobDlg(zWindow* parent, const zResId& id) : zDialogFrame(parent, id) {}

    virtual void showBand(int32_t band) {}
    virtual void showPage(int32_t page) {}

    zPrintJob* job = nullptr;
};

// The default progress dialog: page and band texts and a cancel button
// (items 102, 103 and 2 of its template).
class zDefPrJobDlg : public zPrJobDlg {
public:
    zDefPrJobDlg(zWindow* parent, const zResId& id);

    void showBand(int32_t band) override;
    void showPage(int32_t page) override;
    int cancel(zEvent* ev);
};
