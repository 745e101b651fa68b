#include "framework/core/zPrJobDlg.h"

#include "framework/core/zButton.h"
#include "framework/core/zPrintJob.h"
#include "framework/core/zStaticText.h"

#include <cstdio>

zDefPrJobDlg::zDefPrJobDlg(zWindow* parent, const zResId& id) : zPrJobDlg(parent, id)
{
    if (childById(IDCANCEL)) {
        auto* button = new zDefPushButton(this, IDCANCEL);
        button->show(SW_SHOWNORMAL);
        button->addCommandHandler(this, zProc(&zDefPrJobDlg::cancel));
    }
    for (int32_t item : {103, 102}) {
        if (childById(item))
            (new zStaticText(this, item))->show(SW_SHOWNORMAL);
    }
}

void zDefPrJobDlg::showBand(int32_t band)
{
    if (auto* text = dynamic_cast<zStaticText*>(childById(103))) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "Band #%d", band);
        text->setText(buffer);
    }
}

void zDefPrJobDlg::showPage(int32_t page)
{
    if (auto* text = dynamic_cast<zStaticText*>(childById(102))) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "Seite #%d", page);
        text->setText(buffer);
    }
}

int zDefPrJobDlg::cancel(zEvent*)
{
    // Called from the button's command: the dialog goes later, through
    // its own message, once the command has returned.
    deleteOnDestroy();
    if (job)
        job->abort(0); // ends the dialog
    else
        endDialog();
    return 1;
}
