#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/framework/controls3d/Controls3dTestSupport.h"
#include "framework/core/zBitmap.h"
#include "framework/core/zBitmapDisplay.h"
#include "framework/core/zBitmapPane.h"
#include "framework/core/zSizer.h"
#include "framework/core/zTabCtrl.h"
#include "framework/tables/zProgressBar.h"
#include "framework/tables/zTreeCtrl.h"
#include "framework/tables/zValueSet.h"

KEL_TEST_APPLICATION;

namespace {

// A bitmap whose columns [0, split) are one colour and the rest another.
HBITMAP twoColours(int w, int h, int split, COLORREF left, COLORREF right)
{
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    RECT a{0, 0, split, h}, b{split, 0, w, h};
    HBRUSH l = CreateSolidBrush(left), r = CreateSolidBrush(right);
    FillRect(mem, &a, l);
    FillRect(mem, &b, r);
    DeleteObject(l);
    DeleteObject(r);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

COLORREF pixelOf(zWindow* w, int x, int y)
{
    InvalidateRect(w->handle(), nullptr, TRUE);
    UpdateWindow(w->handle());
    HDC dc = GetDC(w->handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(w->handle(), dc);
    return c;
}

int commands(RecordingFrame& frame, int code)
{
    pump();
    int n = 0;
    for (const auto& r : frame.of(WM_COMMAND))
        n += HIWORD(r.wParam) == code;
    return n;
}

void press(zWindow* w, WPARAM vk) { SendMessageA(w->handle(), WM_KEYDOWN, vk, 1 | (1 << 24)); }

TEST(ValueSet, HitsPicturesAndMovesTheChoice)
{
    RecordingFrame frame("Werte");
    auto* set = new zValueSet(&frame, new zSizer(10, 10, 120, 80, frame.sizer()), WS_VISIBLE, "", 31);
    zValueSet::Cell cell;
    EXPECT_FALSE(set->hitTest(5, 5, cell));  // no strip: every click misses
    EXPECT_EQ(set->cellRect({1, 0}), (zRect{17, 0, 31, 14}));  // 10 x 10 pictures plus insets

    set->strip = std::make_unique<ziImageStrip>(new zBitmapDisplay(new zBitmap(twoColours(48, 16, 16, RGB(255, 0, 0), RGB(0, 0, 255)))), 16, 16);
    set->columns = 3;
    set->rows = 2;
    set->values.assign(6, {0, 1});
    // Pitch 16 + 2 * 2 + 3 = 23; the picture spans 2..18 of each pitch.
    struct Case {
        int x, y;
        bool hit;
        int column, row;
    } cases[] = {{2, 2, true, 0, 0}, {1, 5, false, 0, 0}, {18, 18, true, 0, 0}, {19, 5, false, 0, 0},
                 {21, 5, false, 0, 0}, {25, 2, true, 1, 0}, {50, 30, true, 2, 1}, {71, 5, false, 0, 0},
                 {5, 50, false, 0, 0}};
    for (const Case& c : cases) {
        cell = {-1, -1};
        EXPECT_EQ(set->hitTest(c.x, c.y, cell), c.hit) << c.x << "," << c.y;
        if (c.hit) {
            EXPECT_EQ(cell, (zValueSet::Cell{c.column, c.row})) << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(pixelOf(set, 10, 10), RGB(0, 0, 255));  // picture 1 of the strip

    frame.received.clear();
    SendMessageA(set->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    EXPECT_EQ(set->choice(), (zValueSet::Cell{2, 1}));
    EXPECT_EQ(commands(frame, 1), 1);
    press(set, VK_RIGHT);  // already in the last column
    press(set, VK_DOWN);   // and the last row
    SendMessageA(set->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));  // the same cell again
    EXPECT_EQ(commands(frame, 1), 1);
    press(set, VK_LEFT);
    press(set, VK_UP);
    EXPECT_EQ(set->choice(), (zValueSet::Cell{1, 0}));
    EXPECT_EQ(commands(frame, 1), 3);

    zValueSet::Cell holder{0, 1};
    set->bound = &holder;
    set->transferIn();
    EXPECT_EQ(set->choice(), holder);
    press(set, VK_RIGHT);
    EXPECT_EQ(set->validate(), 1);
    EXPECT_EQ(holder, (zValueSet::Cell{1, 1}));
}

TEST(ProgressBar, FillsTheClampedPercentage)
{
    RecordingFrame frame("Fortschritt");
    // From the left, framed, no caption.
    auto* bar = new zProgressBar(&frame, new zSizer(10, 10, 101, 20, frame.sizer()), 0x08, nullptr, 41);
    ShowWindow(bar->handle(), SW_SHOW);
    struct Case {
        float percent;
        COLORREF at10, at90;
    } cases[] = {{0, RGB(255, 255, 255), RGB(255, 255, 255)},
                 {50, RGB(255, 0, 0), RGB(255, 255, 255)},
                 {100, RGB(255, 0, 0), RGB(255, 0, 0)},
                 {150, RGB(255, 0, 0), RGB(255, 0, 0)},
                 {-20, RGB(255, 255, 255), RGB(255, 255, 255)}};
    for (const Case& c : cases) {
        bar->setPercentage(c.percent);
        EXPECT_EQ(pixelOf(bar, 10, 10), c.at10) << c.percent;
        EXPECT_EQ(pixelOf(bar, 90, 10), c.at90) << c.percent;
    }
    EXPECT_EQ(pixelOf(bar, 0, 10), RGB(0, 0, 0));  // the frame
    // From the right on 101 pixels: the bar is 50 wide, drawn at 51..100.
    bar->info()->style = 0x10;
    bar->setPercentage(50);
    EXPECT_EQ(bar->info()->fillLength(100), 50);
    EXPECT_EQ(pixelOf(bar, 49, 10), RGB(255, 255, 255));
    EXPECT_EQ(pixelOf(bar, 52, 10), RGB(255, 0, 0));
}

// A tree that records its notifications and can veto one code.
class RecordingTree : public zTreeCtrl {
public:
    using zTreeCtrl::zTreeCtrl;
    int32_t notify(Notify& r) override
    {
        codes.push_back(r.code);
        if (r.code == HasChildren)
            return r.item->text == "Mit Kindern" ? 1 : 0;
        return r.code == veto ? 1 : 0;
    }
    std::vector<int32_t> codes;
    int32_t veto = -1;
};

zTreeItem* add(zTreeCtrl* tree, zTreeItemDList& list, const char* text)
{
    auto* item = new zTreeItem(text);
    item->owner = tree;
    list.append(item);
    return item;
}

TEST(TreeCtrl, SelectsActivatesAndSurvivesDeletion)
{
    RecordingFrame frame("Baum");
    auto* tree = new RecordingTree(&frame, new zSizer(10, 10, 200, 120, frame.sizer()), WS_VISIBLE, "", 51);
    zTreeItem* classes = add(tree, tree->items(), "Klassen");
    classes->children = new zTreeItemDList;
    add(tree, *classes->children, "5a");
    add(tree, *classes->children, "5b");
    zTreeItem* leaf = add(tree, tree->items(), "Lehrer");
    zTreeItem* asks = add(tree, tree->items(), "Mit Kindern");
    EXPECT_TRUE(tree->hasChildren(asks));   // no list: the notification answers
    EXPECT_FALSE(tree->hasChildren(leaf));

    // Two clicks on the text within the double-click time: select, then
    // activate (code 5) and toggle (code 2) open.
    const int y = tree->itemHeight / 2;
    const LPARAM onText = MAKELPARAM(60, y);
    SendMessageA(tree->handle(), WM_LBUTTONDOWN, MK_LBUTTON, onText);
    EXPECT_EQ(tree->selection(), classes);
    tree->codes.clear();
    SendMessageA(tree->handle(), WM_LBUTTONDOWN, MK_LBUTTON, onText);
    EXPECT_EQ(tree->codes, (std::vector<int32_t>{zTreeCtrl::Select, zTreeCtrl::Activate, zTreeCtrl::Toggle, zTreeCtrl::Expand}));
    EXPECT_EQ(classes->expanded, 1);
    EXPECT_EQ(commands(frame, zTreeCtrl::Activate), 1);
    EXPECT_EQ(tree->visibleIndex(leaf), 3);

    // Keys: Right on an expanded item moves down; Left on a leaf moves up.
    press(tree, VK_RIGHT);
    EXPECT_STREQ(tree->selection()->text.c_str(), "5a");
    press(tree, VK_LEFT);
    EXPECT_EQ(tree->selection(), classes);
    press(tree, VK_LEFT);  // collapses
    EXPECT_EQ(classes->expanded, 0);

    // A vetoed expansion keeps the item collapsed.
    tree->veto = zTreeCtrl::Expand;
    tree->change(classes, zTreeCtrl::Toggle);
    EXPECT_EQ(classes->expanded, 0);
    tree->veto = -1;

    // The selected item deleted: nothing selected, and Down does nothing.
    tree->select(leaf);
    zTreeItem* bound = leaf;
    tree->bound = &bound;
    tree->items().remove(leaf);
    delete leaf;
    EXPECT_EQ(tree->selection(), nullptr);
    EXPECT_EQ(bound, nullptr);
    press(tree, VK_DOWN);
    EXPECT_EQ(tree->selection(), nullptr);
    EXPECT_EQ(tree->codes.back(), zTreeCtrl::Deleted);
}

TEST(TreeCtrl, SelectingFarBelowScrollsIntoView)
{
    RecordingFrame frame("Baum");
    auto* tree = new zTreeCtrl(&frame, new zSizer(10, 10, 200, 100, frame.sizer()), WS_VISIBLE, "", 52);
    std::vector<zTreeItem*> items;
    for (int i = 0; i < 40; ++i)
        items.push_back(add(tree, tree->items(), ("Zeile " + std::to_string(i)).c_str()));
    tree->scroller()->reset();
    EXPECT_EQ(tree->scrollIntoView(items[0]), 1);
    tree->select(items[30]);
    RECT client;
    GetClientRect(tree->handle(), &client);
    const int32_t origin = tree->display()->windowOrg().y;
    // Item 30 is on the last fully visible line.
    EXPECT_EQ((client.bottom + origin - tree->itemHeight) / tree->itemHeight, 30);
    EXPECT_EQ(tree->scrollIntoView(items[30]), 1);
}

TEST(BitmapPane, ShowsTheCentreOfALargerBitmap)
{
    RecordingFrame frame("Bild");
    auto* pane = new zBitmapPane(&frame, new zSizer(10, 10, 100, 100, frame.sizer()), WS_VISIBLE, "", 61);
    // 200 wide: red up to x 100, blue after; centred, x -50 of it is the pane's 0.
    pane->setBitmap(new zBitmap(twoColours(200, 200, 100, RGB(255, 0, 0), RGB(0, 0, 255))), 1);
    EXPECT_EQ(pixelOf(pane, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(pixelOf(pane, 49, 99), RGB(255, 0, 0));
    EXPECT_EQ(pixelOf(pane, 50, 0), RGB(0, 0, 255));
    pane->setBitmap(pane->bitmap(), 0);  // at the corner: the pane shows the red part only
    EXPECT_EQ(pixelOf(pane, 90, 90), RGB(255, 0, 0));
}

// A tab of fixed size that counts its drawings.
class PlainTab : public zTab {
public:
    explicit PlainTab(int32_t tabId) { id = tabId; }
    void measure(zDisplay*) override
    {
        width = 40;
        height = 18;
    }
    void drawBody(zDisplay* d) override
    {
        ++draws;
        Rectangle(d->hdc(), x, y, x + width, y + height);
    }
    void drawLabel(zDisplay*) override {}
    int draws = 0;
};

class VetoTabs : public zTabCtrl {
public:
    using zTabCtrl::zTabCtrl;
    int32_t canChange(int32_t newId, int32_t) override { return newId != vetoed; }
    void tabChanged(int32_t newId, int32_t oldId) override { changes.push_back({newId, oldId}); }
    int32_t vetoed = -1;
    std::vector<std::pair<int32_t, int32_t>> changes;
};

TEST(TabCtrl, SelectsShownTabsOnly)
{
    RecordingFrame frame("Reiter");
    auto* tabs = new VetoTabs(&frame, new zSizer(10, 10, 300, 150, frame.sizer()), WS_VISIBLE, "", 71);
    EXPECT_EQ(SendMessageA(tabs->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, tabs->row().bottom - 5)), 0);
    PlainTab* t[4];
    for (int i = 0; i < 4; ++i)
        tabs->addTab(t[i] = new PlainTab(i + 1));
    tabs->firstTab = 1;
    tabs->layout();
    EXPECT_EQ(t[0]->width, 0);        // before the first tab index: no rectangle
    EXPECT_EQ(t[1]->x, 3);            // the first shown tab starts at the row margin
    EXPECT_EQ(t[2]->x, 3 + 40 + 1);
    pixelOf(tabs, 0, 0);
    EXPECT_EQ(t[0]->draws, 0);
    EXPECT_GE(t[1]->draws, 1);

    const int y = t[1]->y + 5;
    frame.received.clear();
    SendMessageA(tabs->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, y));  // where tab 1 would be
    EXPECT_EQ(tabs->currentTab(), nullptr);
    SendMessageA(tabs->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(t[2]->x + 5, y));
    EXPECT_EQ(tabs->currentTab(), t[2]);
    EXPECT_EQ(tabs->changes.back(), (std::pair<int32_t, int32_t>{3, -1}));
    EXPECT_EQ(commands(frame, 1), 1);

    tabs->vetoed = 4;
    press(tabs, VK_RIGHT);
    EXPECT_EQ(tabs->currentTab(), t[2]);
    EXPECT_EQ(commands(frame, 1), 1);
    tabs->vetoed = -1;
    press(tabs, VK_RIGHT);
    EXPECT_EQ(tabs->currentTab(), t[3]);
    press(tabs, VK_RIGHT);  // the last tab
    EXPECT_EQ(tabs->currentTab(), t[3]);
    tabs->selectById(1);
    press(tabs, VK_LEFT);  // the first tab
    EXPECT_EQ(tabs->currentTab(), t[0]);
    EXPECT_EQ(tabs->changes.size(), 3u);
}

}  // namespace
