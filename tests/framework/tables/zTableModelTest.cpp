#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zFormatter.h"
#include "framework/tables/zTableCell.h"
#include "framework/tables/zTableCellMaker.h"
#include "framework/tables/zTableSmallModel.h"
#include "framework/tables/ziTableEnv.h"

namespace {

// Puts the text in brackets and counts its calls.
class BracketFormatter : public zFormatter {
public:
    BracketFormatter() : zFormatter(0) {}
    int edit(std::string&, const char*, int32_t, int32_t&, int32_t&) override { return Applied; }
    int check(const std::string&, int32_t&, int32_t&) override { return 1; }
    int format(std::string& text, uint32_t) override
    {
        ++calls;
        text = "[" + text + "]";
        return 1;
    }
    int calls = 0;
};

struct Call {
    void* view;
    bool whole;
    ziTableRange range;
};
std::vector<Call> calls;

int32_t record(void* view, zTableModel*, ziTableViewNode* node)
{
    calls.push_back({view, node == nullptr, node ? node->pending : ziTableRange{}});
    return 1;
}

std::string textAt(zTableModel& m, uint32_t c, uint32_t r)
{
    zTableCell* cell = m.getCell({c, r});
    return cell ? cell->text() : "<none>";
}

TEST(TableCells, ClassifyTellsNumbersFromTexts)
{
    zTableSmallModel model(5, 5);
    zTableCellMaker maker(&model);
    struct Case {
        const char* text;
        int32_t kind;
    } cases[] = {{nullptr, 2}, {"", 2}, {"12", 1}, {"-", 1}, {".", 1}, {"12+3", 1},
                 {"1.2.3", 1}, {"+-", 1}, {"1a", 2}, {" 1", 2}, {"1,5", 2}};
    for (const Case& c : cases)
        EXPECT_EQ(maker.classify({1, 1}, c.text), c.kind) << (c.text ? c.text : "null");
}

TEST(TableCells, SetCellTextMakesAndReplacesCells)
{
    zTableSmallModel model(5, 5);
    EXPECT_EQ(model.setCellText({2, 2}, "12"), nullptr);
    zTableCell* number = model.getCell({2, 2});
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->flags, 14u);
    EXPECT_EQ(number->position, (ziTablePos{2, 2}));

    zTableCell* old = model.setCellText({2, 2}, "abc");
    EXPECT_EQ(old, number);
    EXPECT_EQ(old->flags, 14u | zTableCell::Detached);
    delete old;  // detached: the new cell stays in the model
    zTableCell* text = model.getCell({2, 2});
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->flags, 6u);
    EXPECT_STREQ(text->text(), "abc");

    // A cell not made by the maker takes the text itself.
    auto* own = new zTableTextCell(&model, "x", {3, 3});
    own->flags = 0;
    EXPECT_EQ(model.setCellText({3, 3}, "y"), nullptr);
    EXPECT_EQ(model.getCell({3, 3}), own);
    EXPECT_STREQ(own->text(), "y");

    // Deleting a cell that is still in the model takes it out.
    delete own;
    EXPECT_EQ(model.getCell({3, 3}), nullptr);
}

TEST(TableCells, FormattedCellsShowTheirFormatterText)
{
    zTableSmallModel model(5, 5);
    BracketFormatter numbers, texts;
    model.addAttribute(new zTableFormatAttr(zTableAttr::NumberFormat, {1, 1, 2, 5}, &numbers));
    model.addAttribute(new zTableFormatAttr(zTableAttr::TextFormat, {1, 1, 1, 5}, &texts));

    model.setCellText({1, 1}, "7");
    model.setCellText({1, 2}, "ab");
    model.setCellText({3, 1}, "9");  // no attribute covers column 3
    auto shown = [&](uint32_t c, uint32_t r) { return std::string(static_cast<zTableFmtCellBase*>(model.getCell({c, r}))->shownText()); };
    EXPECT_EQ(shown(1, 1), "[7]");
    EXPECT_STREQ(model.getCell({1, 1})->text(), "7");  // text() is the raw text
    EXPECT_EQ(shown(1, 2), "[ab]");
    EXPECT_EQ(shown(3, 1), "9");
    const int before = numbers.calls;
    model.getCell({1, 1})->setText("");
    EXPECT_EQ(shown(1, 1), "");
    EXPECT_EQ(numbers.calls, before);  // an empty text never reaches the formatter
}

TEST(TableCells, EnvironmentCollectsByKindAndSkipsBadKinds)
{
    zTableSmallModel model(9, 9);
    ziTableEnv none(&model);
    none.collect({1, 1});
    for (zTableAttr* a : none.attrs)
        EXPECT_EQ(a, nullptr);

    auto* early = new zTableAttr(7, {1, 1, 9, 9});
    auto* late = new zTableAttr(7, {2, 2, 3, 3});
    model.addAttribute(early);
    model.addAttribute(late);
    model.addAttribute(new zTableAttr(10, {1, 1, 9, 9}));
    model.addAttribute(new zTableAttr(-1, {1, 1, 9, 9}));
    model.addAttribute(new zTableAttr(4, {5, 5, 5, 5}));
    ziTableEnv env(&model);
    env.collect({2, 3});
    EXPECT_EQ(env.attrs[7], late);  // the later attribute of a kind wins
    EXPECT_EQ(env.attrs[4], nullptr);
    env.collect({4, 3});
    EXPECT_EQ(env.attrs[7], early);
    env.collect({5, 5});
    EXPECT_NE(env.attrs[4], nullptr);
    int set = 0;
    for (zTableAttr* a : env.attrs)
        set += a != nullptr;
    EXPECT_EQ(set, 2);
}

TEST(TableModels, RowsAndColumnsMoveTheirCells)
{
    zTableSmallModel model(6, 6);
    for (uint32_t r = 1; r <= 5; ++r)
        for (uint32_t c = 1; c <= 3; ++c)
            model.setCellText({c, r}, (std::to_string(c) + "/" + std::to_string(r)).c_str());
    zTableCell* moving = model.getCell({2, 4});
    model.deleteRow(3);
    EXPECT_EQ(model.rows(), 5u);
    EXPECT_EQ(moving->position, (ziTablePos{2, 3}));
    EXPECT_EQ(model.getCell({2, 3}), moving);
    EXPECT_EQ(textAt(model, 1, 2), "1/2");
    EXPECT_EQ(textAt(model, 1, 4), "1/5");
    EXPECT_EQ(textAt(model, 1, 5), "<none>");

    model.insertRow(3);
    EXPECT_EQ(textAt(model, 2, 2), "2/2");
    EXPECT_EQ(textAt(model, 2, 3), "<none>");
    EXPECT_EQ(textAt(model, 2, 4), "2/4");
    EXPECT_EQ(moving->position, (ziTablePos{2, 4}));

    model.deleteColumn(1);
    EXPECT_EQ(model.columns(), 5u);
    EXPECT_EQ(textAt(model, 1, 2), "2/2");
    EXPECT_EQ(textAt(model, 2, 1), "3/1");
    EXPECT_EQ(model.getCell({1, 4})->position, (ziTablePos{1, 4}));
    model.insertColumn(2);
    EXPECT_EQ(textAt(model, 1, 1), "2/1");
    EXPECT_EQ(textAt(model, 2, 1), "<none>");
    EXPECT_EQ(textAt(model, 3, 1), "3/1");

    // Out of range: nothing happens.
    model.deleteRow(0);
    model.deleteRow(99);
    model.insertRow(99);
    EXPECT_EQ(model.rows(), 6u);
}

TEST(TableModels, SizeHidesAndShowsCellsAndBoundsAccess)
{
    zTableSmallModel model(10, 200);
    model.setCellText({9, 9}, "x");
    model.setSize(5, 5);
    EXPECT_EQ(model.getCell({9, 9}), nullptr);
    EXPECT_EQ(model.setCellText({9, 9}, "y"), nullptr);  // outside: dropped, not leaked
    model.setSize(10, 10);
    EXPECT_EQ(textAt(model, 9, 9), "x");
    EXPECT_EQ(model.getCell({0, 1}), nullptr);
    EXPECT_EQ(model.getCell({1, 0}), nullptr);

    zTableSmallModel empty(10, 200);
    EXPECT_EQ(empty.getCell({1, 150}), nullptr);
    EXPECT_GE(empty.rowTable().count(), 151u);  // a read grows the row table too

    // An empty table stays empty when asked to lose a row.
    zTableSmallModel none(0, 0);
    none.zTableModel::deleteRow(1);
    none.zTableModel::deleteColumn(1);
    EXPECT_EQ(none.rows(), 0u);
    EXPECT_EQ(none.columns(), 0u);
}

TEST(TableModels, ChangesReachEachViewOnce)
{
    zTableSmallModel model(10, 10);
    int a = 0, b = 0;
    model.addView(&a, record);
    model.addView(&b, record);
    calls.clear();
    model.cellChanged({2, 2});
    model.cellChanged({5, 7});
    EXPECT_TRUE(calls.empty());  // nothing until notifyViews
    model.notifyViews();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].range, (ziTableRange{2, 2, 5, 7}));
    EXPECT_FALSE(calls[0].whole);
    EXPECT_EQ(calls[1].view, &b);

    calls.clear();
    model.notifyViews();  // nothing pending any more
    EXPECT_TRUE(calls.empty());

    const ziTableRange r{3, 3, 4, 4};
    model.rangeChanged(&r);
    model.cellChanged({1, 8});
    model.notifyViewsExcept(&a);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].view, &b);
    EXPECT_EQ(calls[0].range, (ziTableRange{1, 3, 4, 8}));

    calls.clear();
    model.rangeChanged(nullptr);
    model.rangeChanged(&r);  // a whole change stays whole
    model.notifyViews();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0].whole);

    calls.clear();
    model.removeView(&a, record);
    model.resize(3, 3);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].view, &b);
    EXPECT_TRUE(calls[0].whole);
}

}  // namespace
