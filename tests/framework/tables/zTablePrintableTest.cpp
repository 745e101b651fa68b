// The printable table on the system's printer, whose output goes to a
// PostScript file: page counts, page order and which pages get headers.
#include "tests/support/WindowTest.h"
#include "tests/support/PrinterDevice.h"
#include "tests/support/TestFiles.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/zDisplay.h"
#include "framework/core/zPrintJob.h"
#include "framework/core/zPrinterDisplay.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTaskDev.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/zTablePrintable.h"

using kel::test::pump;

namespace {

// Records the headers drawn on each printed page.
class RecordingTable : public zTablePrintable {
public:
    using zTablePrintable::zTablePrintable;
    int printPage(zDisplay* display, const zRect& band) override
    {
        pages.push_back({});
        const int result = zTablePrintable::printPage(display, band);
        pages.back().range = printedPage();
        return result;
    }
    void drawHeader(const zRect& rect, uint32_t index, int32_t kind) override
    {
        if (display()->kind() == zDisplay::Printer && !pages.empty())
            (kind == RowHeader ? pages.back().rowHeaders : kind == ColumnHeader ? pages.back().columnHeaders
                                                                                 : pages.back().corners)++;
        zTablePrintable::drawHeader(rect, index, kind);
    }
    void endPrint(zDisplay* display, zPrintJob* job) override
    {
        zTablePrintable::endPrint(display, job);
        ++ended;
    }
    struct Page {
        int rowHeaders = 0, columnHeaders = 0, corners = 0;
        ziTableRange range;
    };
    std::vector<Page> pages;
    int ended = 0;
};

class PrintableTable : public kel::test::FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        table = new RecordingTable(frame, new zSizer(0, 0, 300, 200, frame->sizer()), WS_VISIBLE, "", 1);
        table->show(SW_SHOW);
        pump();
        table->model()->setSize(30, 100);
        // Cells of 60 x 20 and headers of 50 x 20 screen pixels.
        table->defaultColumnWidth = 60;
        table->defaultRowHeight = 20;
        table->setHeaderSize(50, 20);
        for (uint32_t r = 1; r <= 80; r += 10)
            delete table->model()->setCellText({1, r}, "Anna");
    }
    void TearDown() override
    {
        for (int i = 0; i < 10 && theApplication->taskDev->waiting(); ++i)
            theApplication->taskDev->run();
        FrameTest::TearDown();
    }
    // Prints pages first to last of the print range; the PostScript text.
    std::string print(const std::string& name, int32_t first, int32_t last)
    {
        const std::string out = device.printTo(name);
        auto* display = new zPrinterDisplay();
        EXPECT_TRUE(display->hdc()) << "no printer: is CUPS with the PDF queue running?";
        display->firstPage = first;
        display->lastPage = last;
        auto* job = new zPrintJob(table, display, nullptr);
        job->setTitle("Tabelle");
        EXPECT_EQ(job->start(0), 1);
        EXPECT_TRUE(kel::test::pumpUntil(
            [&] {
                theApplication->taskDev->run();
                return table->ended != 0;
            },
            std::chrono::seconds(20)));
        pump();
        return kel::test::FileBytes(out);
    }

    RecordingTable* table = nullptr;
    kel::test::PrinterDevice device;
};

TEST_F(PrintableTable, OneRangeThatFitsIsOnePage)
{
    table->printRange = {1, 1, 3, 3};
    const std::string ps = print("tables-one-page.ps", 1, 32767);
    EXPECT_EQ(table->pageCount, 1);
    EXPECT_EQ(table->pages.size(), 1u);
    EXPECT_EQ(table->morePages(), 0);
    EXPECT_NE(ps.find("%%Pages: 1"), std::string::npos) << ps.substr(0, 300);
    EXPECT_EQ(table->pages[0].rowHeaders, 3);
    EXPECT_EQ(table->pages[0].columnHeaders, 3);
    EXPECT_EQ(table->pages[0].corners, 1);
    EXPECT_EQ(table->printing, 0);
    EXPECT_EQ(table->firstRow, 1u);  // the screen's origin comes back
}

TEST_F(PrintableTable, PagesGoDownFirstAndHeadersOnlyWhereTheyStart)
{
    table->printRange = {1, 1, 20, 80};
    const std::string ps = print("tables-four-pages.ps", 0, 99);  // more pages asked for than there are
    ASSERT_EQ(table->pageCount, 4);
    EXPECT_NE(ps.find("%%Pages: 4"), std::string::npos);
    ASSERT_EQ(table->pages.size(), 4u);

    // Order 1: top-left, bottom-left, top-right, bottom-right.
    const ziTableRange p1 = table->pages[0].range, p2 = table->pages[1].range, p3 = table->pages[2].range,
                       p4 = table->pages[3].range;
    EXPECT_EQ(p1.firstColumn, 1u);
    EXPECT_EQ(p1.firstRow, 1u);
    EXPECT_EQ(p2.firstColumn, 1u);
    EXPECT_EQ(p2.firstRow, p1.lastRow + 1);
    EXPECT_EQ(p3.firstColumn, p1.lastColumn + 1);
    EXPECT_EQ(p3.firstRow, 1u);
    EXPECT_EQ(p4.firstColumn, p3.firstColumn);
    EXPECT_EQ(p4.firstRow, p2.firstRow);
    EXPECT_EQ(p4.lastColumn, 20u);
    EXPECT_EQ(p4.lastRow, 80u);

    // Row headers only on pages that start at column 1, column headers only
    // on pages that start at row 1, the corner only on the first page.
    EXPECT_GT(table->pages[0].rowHeaders, 0);
    EXPECT_GT(table->pages[1].rowHeaders, 0);
    EXPECT_EQ(table->pages[2].rowHeaders, 0);
    EXPECT_EQ(table->pages[3].rowHeaders, 0);
    EXPECT_GT(table->pages[0].columnHeaders, 0);
    EXPECT_EQ(table->pages[1].columnHeaders, 0);
    EXPECT_GT(table->pages[2].columnHeaders, 0);
    EXPECT_EQ(table->pages[0].corners, 1);
    EXPECT_EQ(table->pages[2].corners, 0);
}

TEST_F(PrintableTable, OnlyThePagesAskedForArePrinted)
{
    table->printRange = {1, 1, 20, 80};
    const std::string ps = print("tables-two-pages.ps", 2, 3);
    EXPECT_EQ(table->pages.size(), 2u);
    EXPECT_NE(ps.find("%%Pages: 2"), std::string::npos);
    EXPECT_GT(table->pages[0].rowHeaders, 0);   // page 2 starts at column 1
    EXPECT_EQ(table->pages[1].rowHeaders, 0);   // page 3 does not
}

}  // namespace
