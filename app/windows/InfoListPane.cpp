#include "app/windows/InfoListPane.h"

#include <string>
#include <vector>

#include "app/core/EventState.h"
#include "app/core/EventTable.h"
#include "app/core/FieldText.h"
#include "app/core/Memory.h"
#include "app/forms/PrintManager.h"
#include "app/windows/Printouts.h"
#include "app/windows/ProgramSeams.h"
#include "framework/core/zApplication.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zFont.h"
#include "framework/core/zPrJobDlg.h"
#include "framework/core/zPrintJob.h"
#include "framework/core/zPrinterDisplay.h"
#include "framework/core/zResId.h"

InfoListPane::InfoListPane(zWindow* parent, zSizer* sizer, const EventState& state)
    : zPane(parent, sizer, WS_VSCROLL, 0, 1), state_(state)
{
}

InfoListPane::~InfoListPane()
{
    delete textFont_;
    delete headingFont_;
    delete rulePen_;
}

void InfoListPane::setJob(const PrintJob& job)
{
    type_ = job.type;
    class_ = job.cls;
    team_ = job.team;
}

int InfoListPane::printJob()
{
    busy_ = 1;
    std::string title = type_ == kPrintEntryForm ? "Meldebogen " : type_ == kPrintPupilList ? "Schülerliste " : "";
    if (state_.eventDef && class_ >= 0 && class_ < kMaxClasses)
        title += FieldText(state_.eventDef->classes[class_].name);
    title += ' ';
    if (TeamRecord* r = state_.memory ? state_.memory->getTeam(class_, team_) : nullptr)
        title += FieldText(r->listName);
    if (title.size() > 99)
        title.resize(99);

    zWindow* owner = theApplication && theApplication->mainFrame ? theApplication->mainFrame : nullptr;
    auto* display = new zPrinterDisplay();
    if (!display->hdc()) {
        delete display;
        busy_ = 0;
        ProgramMessageBox(owner ? owner->handle() : nullptr, kNoPrinter, "Fehler", MB_OK | MB_ICONSTOP);
        return -1;
    }
    auto* dialog = new zDefPrJobDlg(owner, zResId(9));
    auto* job = new zPrintJob(this, display, dialog);
    job->setTitle(title.c_str());
    // A document that cannot be started ends the job at once, and the
    // job's end frees the pane.
    return job->start(0);
}

int InfoListPane::jobDone()
{
    busy_ = 0;
    return 0;
}

void InfoListPane::endPrint(zDisplay*, zPrintJob*)
{
    busy_ = 0;
}

int InfoListPane::draw(zEvent*)
{
    if (type_ == kPrintEntryForm)
        DrawMeldebogen(state_, *this, class_, team_);
    else if (type_ == kPrintPupilList)
        DrawSchuelerliste(state_, *this, class_, team_);
    return 1;
}

int InfoListPane::printPage(zDisplay* display, const zRect&)
{
    pushDisplay(display);
    draw(nullptr);
    popDisplay();
    return 0;
}

void InfoListPane::begin(const PrintFont& text, const PrintFont& heading)
{
    zDisplay* d = display();
    d->acquire();
    const zRect extent = d->extentRect();
    extentHeight_ = extent.bottom - extent.top;
    d->rasterOp(R2_COPYPEN);
    d->setBackMode(TRANSPARENT);
    d->textColor(zColor{0, 0, 0, 0});
    auto makeFont = [d](const PrintFont& f) {
        zFontSpec fontSpec(zPrPoint(f.width, f.height, d), FW_NORMAL, f.fixedPitch ? FIXED_PITCH : VARIABLE_PITCH);
        fontSpec.charSet = ANSI_CHARSET;
        return new zFont(f.face.c_str(), fontSpec);
    };
    textFont_ = makeFont(text);
    headingFont_ = makeFont(heading);
    rulePen_ = new zPen(PS_SOLID, 4, zColor{0, 0, 0, 0});
    d->pushFont(textFont_);
}

void InfoListPane::end()
{
    zDisplay* d = display();
    d->popFont().release();  // the pane's own font, deleted below
    delete textFont_;
    delete headingFont_;
    delete rulePen_;
    textFont_ = headingFont_ = nullptr;
    rulePen_ = nullptr;
    d->release();
}

void InfoListPane::useFont(FontSlot slot)
{
    display()->swapFont(slot == HeadingFont ? headingFont_ : textFont_).release();
}

PrintSize InfoListPane::textSize(std::string_view text)
{
    const std::string s(text);
    if (s.empty())
        return {};
    const SIZE size = display()->textExtent(s.c_str(), static_cast<int32_t>(s.size()));
    return {size.cx, size.cy};
}

int32_t InfoListPane::lineHeight()
{
    TEXTMETRICA tm{};
    display()->textMetrics(tm);
    return tm.tmHeight + tm.tmExternalLeading;
}

void InfoListPane::text(int32_t x, int32_t y, std::string_view text)
{
    HDC dc = display()->hdc();
    if (!dc || text.empty())
        return;
    // The layout counts in the widths this display reports for the font.
    // Some printer drivers draw a font of forced width at its natural width
    // (Wine's PostScript driver keeps a TrueType font's own advances), so
    // the text would run into the next column; the advances measured here
    // are handed to the driver so every character lands where it was
    // measured.
    const int n = static_cast<int>(text.size());
    std::vector<INT> ends(text.size());
    SIZE total{};
    if (GetTextExtentExPointA(dc, text.data(), n, 0, nullptr, ends.data(), &total)) {
        for (int i = n - 1; i > 0; --i)
            ends[size_t(i)] -= ends[size_t(i - 1)];
        ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(n), ends.data());
    } else {
        TextOutA(dc, x, y, text.data(), n);
    }
}

void InfoListPane::rule(int32_t x1, int32_t x2, int32_t y)
{
    zDisplay* d = display();
    d->pushPen(rulePen_);
    if (HDC dc = d->hdc()) {
        MoveToEx(dc, x1, y, nullptr);
        LineTo(dc, x2, y);
    }
    d->popPen().release();  // the pane's own pen
}
