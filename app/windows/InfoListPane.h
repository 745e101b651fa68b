#pragma once
// The print pane: prints one job of the print queue at a time, the entry
// form or the pupil list of one team, each a one-page document on the
// system's default printer. It is the canvas the printouts draw on: its
// current display (the printer display while a page prints) with the
// printout's two fonts and rule pen.
#include <cstdint>

#include "app/windows/PrintCanvas.h"
#include "framework/core/zPane.h"

struct EventState;
struct PrintJob;
class zFont;
class zPen;

class InfoListPane : public zPane, public PrintCanvas {
public:
    InfoListPane(zWindow* parent, zSizer* sizer, const EventState& state);
    ~InfoListPane() override;

    // Takes over print type, class and team of the queue's job.
    void setJob(const PrintJob& job);
    // Starts printing the current job: 1 when the document is under way
    // (busy until it ends), 0 when it could not be started, -1 when there is
    // no printer at all (the user has been told; nothing can print).
    int printJob();
    // The job's question whether more pages follow: no, the job is over.
    int jobDone();

    int draw(zEvent* ev) override;
    int printPage(zDisplay* display, const zRect& band) override;
    int morePages() override { return jobDone(); }
    // A job that ends without being asked for more pages failed or was
    // cancelled: the pane is free again.
    void endPrint(zDisplay* display, zPrintJob* job) override;

    int32_t busy() const { return busy_; }
    int32_t printType() const { return type_; }
    int32_t printClass() const { return class_; }
    int32_t team() const { return team_; }

    // The print canvas, on the current display.
    void begin(const PrintFont& text, const PrintFont& heading) override;
    void end() override;
    void useFont(FontSlot slot) override;
    PrintSize textSize(std::string_view text) override;
    int32_t lineHeight() override;
    void text(int32_t x, int32_t y, std::string_view text) override;
    void rule(int32_t x1, int32_t x2, int32_t y) override;
    int32_t extentHeight() override { return extentHeight_; }

    static constexpr const char* kNoPrinter = "Es ist kein Drucker eingerichtet!";

private:
    const EventState& state_;
    zFont* textFont_ = nullptr;
    zFont* headingFont_ = nullptr;
    zPen* rulePen_ = nullptr;
    int32_t class_ = -1;
    int32_t type_ = -1;
    int32_t team_ = 0;
    int32_t busy_ = 0;
    int32_t extentHeight_ = 0;
};
