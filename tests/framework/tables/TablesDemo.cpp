// A small program that shows the table and rich controls: a table of pupils
// with their results, a value set of colours, a tree of classes, a progress
// bar and a tab control. tools/screenshot-tables.sh runs it and takes a
// picture of the screen. It ends by itself after the number of seconds
// given on the command line (default 20).
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "framework/core/zApplication.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zDisplay.h"
#include "framework/core/zFrameWin.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTabCtrl.h"
#include "framework/core/zTimer.h"
#include "framework/tables/zProgressBar.h"
#include "framework/tables/zTable.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableModel.h"
#include "framework/tables/zTreeCtrl.h"
#include "framework/tables/zValueSet.h"

namespace {

// A tab with a text label, drawn in the classic raised look.
class TextTab : public zTab {
public:
    TextTab(const char* label, int32_t tabId) : label_(label) { id = tabId; }
    void measure(zDisplay* d) override
    {
        const SIZE s = d->textExtent(label_, int32_t(std::strlen(label_)));
        width = s.cx + 16;
        height = s.cy + 8 + (selected ? 2 : 0);
    }
    void drawBody(zDisplay* d) override
    {
        const HDC dc = d->hdc();
        const int32_t top = selected ? y : y + 2, bottom = y + height + (selected ? 1 : 0);
        RECT r{x, top, x + width, bottom};
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        HPEN white = CreatePen(PS_SOLID, 1, RGB(255, 255, 255));
        HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
        HGDIOBJ old = SelectObject(dc, white);
        MoveToEx(dc, x, bottom, nullptr);
        LineTo(dc, x, top + 2);
        LineTo(dc, x + 2, top);
        LineTo(dc, x + width - 2, top);
        SelectObject(dc, GetStockObject(BLACK_PEN));
        MoveToEx(dc, x + width - 2, top + 1, nullptr);
        LineTo(dc, x + width - 1, top + 2);
        LineTo(dc, x + width - 1, bottom);
        SelectObject(dc, shadow);
        MoveToEx(dc, x + width - 2, top + 2, nullptr);
        LineTo(dc, x + width - 2, bottom);
        SelectObject(dc, old);
        DeleteObject(white);
        DeleteObject(shadow);
    }
    void drawLabel(zDisplay* d) override
    {
        SetBkMode(d->hdc(), TRANSPARENT);
        TextOutA(d->hdc(), x + 8, (selected ? y : y + 2) + 4, label_, int32_t(std::strlen(label_)));
    }

private:
    const char* label_;
};

zTreeItem* add(zTreeCtrl* tree, zTreeItemDList& list, const char* text)
{
    auto* item = new zTreeItem(text);
    item->owner = tree;
    list.append(item);
    return item;
}

// Eight colour squares of 14 x 14 pixels.
ziImageStrip* palette()
{
    static const COLORREF colours[] = {RGB(192, 0, 0),   RGB(0, 128, 0),   RGB(0, 0, 192),   RGB(255, 192, 0),
                                       RGB(128, 0, 128), RGB(0, 128, 128), RGB(64, 64, 64),   RGB(255, 255, 255)};
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 8 * 14, 14);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int i = 0; i < 8; ++i) {
        RECT r{i * 14, 0, i * 14 + 14, 14};
        HBRUSH b = CreateSolidBrush(colours[i]);
        FillRect(mem, &r, b);
        DeleteObject(b);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return new ziImageStrip(new zBitmapDisplay(new zBitmap(bmp)), 14, 14);
}

class Ender : public zEvH {
public:
    int end()
    {
        theApplication->quit();
        return 0;
    }
};

}  // namespace

void StartApplication(zApplication* app)
{
    int seconds = 20;
    if (app->cmdLine && *app->cmdLine)
        seconds = std::atoi(app->cmdLine);
    auto* frame = new zFrameWin(new zSizer(20, 20, 780, 520), WS_OVERLAPPEDWINDOW, "Tabellen und Steuerelemente");
    frame->create();
    frame->backgroundColor(zColor::fromColorRef(GetSysColor(COLOR_BTNFACE)));
    frame->show(SW_SHOWNORMAL);

    auto* table = new zTable(frame, new zSizer(10, 10, 470, 300, frame->sizer()), WS_VISIBLE | WS_BORDER, "", 1);
    table->show(SW_SHOW);
    static const char* heads[] = {"Name", "Jg.", "Klasse", "50 m", "Weitsprung", "Wurf"};
    static const char* rows[][6] = {{"Anna Berger", "12", "7a", "8,1", "3,95", "28,5"},
                                    {"Ben Clausen", "11", "7b", "7,9", "4,10", "31,0"},
                                    {"Carla Dietz", "12", "7a", "8,4", "3,70", "24,5"},
                                    {"David Engel", "11", "7c", "7,6", "4,35", "35,5"},
                                    {"Eva Fischer", "12", "7b", "8,0", "3,88", "26,0"},
                                    {"Felix Graf", "11", "7a", "7,7", "4,22", "33,5"}};
    table->columnLabelStyle = zTable::LabelStored;
    for (uint32_t c = 0; c < 6; ++c)
        table->setHeaderLabel(zTable::ColumnHeader, c + 1, heads[c]);
    table->setColumnWidth(1, 110);
    for (uint32_t r = 0; r < 6; ++r)
        for (uint32_t c = 0; c < 6; ++c)
            delete table->model()->setCellText({c + 1, r + 1}, rows[r][c]);
    table->setCurrentCell({2, 3}, 0);
    table->extendSelection(1, 0, 0);
    table->extendSelection(0, 1, 0);
    table->relayout();

    auto* colours = new zValueSet(frame, new zSizer(500, 10, 160, 50, frame->sizer()), WS_VISIBLE, "", 2);
    colours->strip.reset(palette());
    colours->columns = 4;
    colours->rows = 2;
    for (int i = 0; i < 8; ++i)
        colours->values.push_back({i, i});
    colours->choose({1, 0});

    auto* tree = new zTreeCtrl(frame, new zSizer(500, 70, 250, 240, frame->sizer()), WS_VISIBLE | WS_BORDER, "", 3);
    tree->setFont(new zFont("Arial", zFontSpec(zPrPoint(0, 90))), 0);
    zTreeItem* school = add(tree, tree->items(), "Realschule am Park");
    school->children = new zTreeItemDList;
    zTreeItem* wk3 = add(tree, *school->children, "WK III Jungen");
    wk3->children = new zTreeItemDList;
    add(tree, *wk3->children, "Mannschaft 1");
    add(tree, *wk3->children, "Mannschaft 2");
    add(tree, *school->children, "WK III Mädchen");
    add(tree, *school->children, "WK IV gemischt");
    school->expanded = 1;
    wk3->expanded = 1;
    tree->select(wk3);
    tree->scroller()->reset();

    auto* bar = new zProgressBar(frame, new zSizer(10, 320, 470, 22, frame->sizer()), 0x08, "60 % gemeldet", 4);
    bar->setPercentage(60);
    ShowWindow(bar->handle(), SW_SHOW);

    auto* tabs = new zTabCtrl(frame, new zSizer(10, 355, 740, 110, frame->sizer()), WS_VISIBLE, "", 5);
    const char* names[] = {"Mannschaften", "Staffeln", "Einzelwertung", "Protokoll"};
    for (int i = 0; i < 4; ++i)
        tabs->addTab(new TextTab(names[i], i + 1));
    tabs->selectById(1);
    tabs->layout();
    InvalidateRect(frame->handle(), nullptr, TRUE);

    Ender ender;
    zTimer timer(&ender, zTask(&Ender::end), uint32_t(seconds) * 1000);
    app->run();
    delete frame;
}
