#pragma once
// A table that prints a range of its cells through the framework's print
// job: it splits the range into pages of whole columns and rows, scales
// sizes and fonts from the screen's resolution to the printer's, draws the
// headers and cells of one page at a time and boxes in grey what lies
// outside the table.
#include <memory>
#include <vector>

#include "framework/tables/zTable.h"

class zFont;
class zPrinterDisplay;

// A screen font and the printer font made from it (owned).
struct ziTableFontMap {
    zFont* screen;
    std::unique_ptr<zFont> printer;
};

class zTablePrintable : public zTable {
public:
    zTablePrintable(zWindow* parent, zSizer* sizer, DWORD style, const char* title, int32_t id);
    ~zTablePrintable() override;

    int beginPrint(zDisplay* display, zPrintJob* job) override;
    void endPrint(zDisplay* display, zPrintJob* job) override;
    int printPage(zDisplay* display, const zRect& band) override;
    int morePages() override;
    void drawHeader(const zRect& rect, uint32_t index, int32_t kind) override;
    // Called before printing: phase 1 while the pages are counted, 0
    // before each page.
    virtual void beforePrint(zDisplay* display, int32_t phase) {}

    // The range of page n (1-based) of the print range, laid out on the
    // present display.
    ziTableRange pageRange(int32_t n);
    // The page that was printed last.
    const ziTableRange& printedPage() const { return page_; }

    int32_t printing = 0;
    int32_t currentPage = 0;
    int32_t pageCount = 0;
    ziTableRange printRange{};
    int32_t order = 1;
    int32_t printRowHeaders = 1;
    int32_t printColumnHeaders = 1;
    int32_t columnHeadersEveryPage = 0;
    int32_t rowHeadersEveryPage = 0;
    int32_t thickHeaderFrames = 1;
    int32_t screenResX = 0;
    int32_t screenResY = 0;
    double vScale = 1.0;
    double hScale = 1.0;

private:
    void pageSetup(zDisplay* display);
    // Lays out the page that starts at the first column and row.
    void pageLayout();
    void drawPage();
    zFont* printerFont(zFont* screen);
    bool rowHeadersHere() const { return printRowHeaders && (rowHeadersEveryPage || firstColumn == 1); }
    bool columnHeadersHere() const { return printColumnHeaders && (columnHeadersEveryPage || firstRow == 1); }
    int32_t scaledWidth(uint32_t c) const { return int32_t(columnWidth(c) * hScale); }
    int32_t scaledHeight(uint32_t r) const { return int32_t(rowHeight(r) * vScale); }

    std::vector<ziTableFontMap> fontMap_;
    zFont* screenFont_ = nullptr;
    int32_t fontPushed_ = 0;
    int32_t lastPage_ = 0;
    // The page as laid out: header sizes, lefts and tops of its columns
    // and rows (one entry more for the far edge), its range.
    int32_t pageHeaderWidth_ = 0;
    int32_t pageHeaderHeight_ = 0;
    std::vector<int32_t> pageLefts_;
    std::vector<int32_t> pageTops_;
    ziTableRange page_{};
    zRect client_{};
};
