#include "framework/core/zSizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

zRect rectOf(const zSizer& s) { return {s.x(), s.y(), s.x() + s.width(), s.y() + s.height()}; }

void layOut(zSizer& parent, zRect r) { parent.setRect(&r); }

TEST(Sizer, DocksChildrenAroundTheFreeArea)
{
    zSizer parent;
    zGravSizer left(zSizerLeft, 30, &parent);
    zGravSizer right(zSizerRight, 20, &parent);
    zGravSizer top(zSizerTop, 10, &parent);
    zGravSizer bottom(zSizerBottom, 15, &parent);
    zGravSizer fill(zSizerFill, 0, &parent);
    layOut(parent, {0, 0, 200, 100});

    EXPECT_EQ(rectOf(left), (zRect{0, 0, 30, 100}));
    EXPECT_EQ(rectOf(right), (zRect{180, 0, 200, 100}));
    EXPECT_EQ(rectOf(top), (zRect{30, 0, 180, 10}));
    EXPECT_EQ(rectOf(bottom), (zRect{30, 85, 180, 100}));
    EXPECT_EQ(rectOf(fill), (zRect{30, 10, 180, 85}));
    EXPECT_EQ(parent.childCount(), 5);
}

TEST(Sizer, EdgeCasesOfPlacement)
{
    zSizer parent;
    zGravSizer strip(zSizerLeft, 0, &parent);        // width 0: an empty strip
    zGravSizer band(zSizerTop, 12, &parent);         // width 0: the whole free width
    zGravSizer fillA(zSizerFill, 0, &parent);
    zGravSizer fillB(zSizerFill, 0, &parent);        // both fills get the whole rest
    zGravSizer bigCentre(zSizerCentre, 500, &parent);  // larger than the area: top-left
    zGravSizer centre(zSizerCentre, 0, &parent);
    centre.setFixedWidth(51);
    centre.setFixedHeight(21);
    layOut(parent, {0, 0, 200, 100});

    EXPECT_EQ(rectOf(strip), (zRect{0, 0, 0, 100}));
    EXPECT_EQ(rectOf(band), (zRect{0, 0, 200, 12}));
    EXPECT_EQ(rectOf(fillA), (zRect{0, 12, 200, 100}));
    EXPECT_EQ(rectOf(fillB), (zRect{0, 12, 200, 100}));
    EXPECT_EQ(rectOf(bigCentre), (zRect{0, 12, 500, 512}));
    // (200 - 51) / 2 = 74, (88 - 21) / 2 = 33
    EXPECT_EQ(rectOf(centre), (zRect{74, 45, 125, 66}));
}

TEST(Sizer, PercentOfTheParent)
{
    zSizer parent;
    zPercentSizer quarter(zSizerTop, 25.0f, 0.0f, &parent);  // 25 % of the height, full width
    zPercentSizer half(zSizerLeft, 0.0f, 50.0f, &parent);    // half the width, full height
    layOut(parent, {0, 0, 200, 100});
    EXPECT_EQ(rectOf(quarter), (zRect{0, 0, 200, 25}));
    // The left child is docked with the parent's full height (100), not the rest.
    EXPECT_EQ(rectOf(half), (zRect{0, 25, 100, 125}));

    layOut(parent, {0, 0, 400, 60});  // follows a parent resize
    EXPECT_EQ(rectOf(quarter), (zRect{0, 0, 400, 15}));
    EXPECT_EQ(rectOf(half), (zRect{0, 15, 200, 75}));

    zPercentSizer orphan(zSizerTop, 50.0f, 50.0f);
    zLayoutRecord rec;
    orphan.layoutInfo(rec);
    EXPECT_EQ(rec.b.width, 0);
    EXPECT_EQ(rec.b.height, 0);
}

TEST(Sizer, GrowToFitReportsWhatItsChildrenNeed)
{
    zGrowToFitSizer grow(zSizerTop);
    zGravSizer left(zSizerLeft, 30, &grow);
    zGravSizer right(zSizerRight, 20, &grow);
    zGravSizer top(zSizerTop, 10, &grow);
    zGravSizer bottom(zSizerBottom, 15, &grow);
    zLayoutRecord rec;
    grow.layoutInfo(rec);
    EXPECT_EQ(rec.kind, zSizerTop);
    EXPECT_EQ(rec.b.width, 50);   // left + right
    EXPECT_EQ(rec.b.height, 25);  // top + bottom
    EXPECT_EQ(rec.c.width, 50);

    grow.setMode(zGrowToFitSizer::HeightFixed);
    grow.setFixedHeight(7);
    grow.layoutInfo(rec);
    EXPECT_EQ(rec.a.height, 7);
    EXPECT_EQ(rec.b.height, 7);
    EXPECT_EQ(rec.b.width, 50);

    // Placed, it shrinks to the room its docked children took.
    zRect r{5, 5, 305, 205};
    grow.place(r, 0);
    EXPECT_EQ(rectOf(grow), (zRect{5, 5, 55, 30}));
}

TEST(Sizer, AreaShrinksOnlyWithoutCentreOrFill)
{
    zGrowToFitSizer grow(zSizerTop);
    zGravSizer left(zSizerLeft, 30, &grow);
    zGravSizer fill(zSizerFill, 0, &grow);
    zRect r{0, 0, 200, 100};
    grow.place(r, 0);
    EXPECT_EQ(rectOf(grow), (zRect{0, 0, 200, 100}));
    EXPECT_EQ(rectOf(fill), (zRect{30, 0, 200, 100}));
}

TEST(Sizer, LeafSizerOnlyStores)
{
    zLeafSizer leaf;
    zSizer child(5, 5, 5, 5, &leaf);
    zRect r{10, 20, 110, 70};
    leaf.setRect(&r);
    EXPECT_EQ(rectOf(leaf), r);
    EXPECT_EQ(rectOf(child), (zRect{5, 5, 10, 10}));  // children are not laid out
    leaf.setRect(nullptr);  // rebuilt from the stored values
    EXPECT_EQ(rectOf(leaf), r);
    zLayoutRecord rec;
    leaf.layoutInfo(rec);
    EXPECT_EQ(rec.b.width, 100);
    EXPECT_EQ(rec.y, 20);
    EXPECT_EQ(rec.kind, zSizerAbsolute);
}

TEST(Sizer, AbsoluteChildren)
{
    zGrowToFitSizer grow(zSizerTop);
    zSizer a(10, 20, 30, 40, &grow);                   // right 40, bottom 60
    zSizer b(50, 5, 10, 10, &grow);                    // right 60, bottom 15
    zSizer open(70, 0, zSizerUnset, zSizerUnset, &grow);  // no size: no edges
    zSizer unplaced(&grow);                             // never given a position
    zLayoutRecord rec;
    grow.layoutInfo(rec);
    EXPECT_EQ(rec.b.width, 60);
    EXPECT_EQ(rec.b.height, 60);
    EXPECT_EQ(rec.c.width, 60);
    EXPECT_EQ(rec.c.height, 60);

    zSizer parent;
    zSizer c(10, 20, 30, 40, &parent);
    zSizer d(70, 30, zSizerUnset, zSizerUnset, &parent);
    zSizer e(&parent);
    layOut(parent, {0, 0, 200, 100});
    EXPECT_EQ(rectOf(c), (zRect{10, 20, 40, 60}));
    EXPECT_EQ(rectOf(d), (zRect{70, 30, 200, 100}));  // open size: to the free area's edge
    EXPECT_EQ(e.x(), zSizerUnset);                     // not placed
    EXPECT_EQ(e.width(), zSizerUnset);
}

TEST(Sizer, TreeBookkeeping)
{
    auto parent = std::make_unique<zSizer>();
    auto first = std::make_unique<zSizer>(parent.get());
    auto front = std::make_unique<zSizer>();
    parent->addChildFront(front.get());
    ASSERT_EQ(parent->childCount(), 2);
    EXPECT_EQ(parent->children()->front(), front.get());
    EXPECT_EQ(front->parent(), parent.get());

    first.reset();  // a deleted child leaves its parent's list
    EXPECT_EQ(parent->childCount(), 1);

    front->detach();
    EXPECT_EQ(parent->childCount(), 0);
    EXPECT_EQ(front->parent(), nullptr);

    zSizer child(parent.get());
    parent.reset();  // a deleted parent leaves its children as roots
    EXPECT_EQ(child.parent(), nullptr);
}

TEST(Sizer, TypeQuery)
{
    zSizer plain;
    zLeafSizer leaf;
    zGravSizer grav(zSizerLeft, 1);
    zPercentSizer pct(zSizerLeft, 1, 1);
    zGrowToFitSizer grow(zSizerLeft);
    zSizeWithParent follow;
    struct Row {
        zSizer* s;
        std::vector<int> tags;
    } rows[] = {{&plain, {1}}, {&leaf, {1, 2}}, {&grav, {1, 5}}, {&pct, {1, 5, 6}},
                {&grow, {1, 5, 7}}, {&follow, {1, 9}}};
    for (const Row& r : rows)
        for (int tag = 0; tag <= 10; ++tag) {
            bool want = std::find(r.tags.begin(), r.tags.end(), tag) != r.tags.end();
            EXPECT_EQ(r.s->isA(tag) != nullptr, want) << "tag " << tag;
        }
    EXPECT_EQ(follow.kind(), zSizerCentre);
}

TEST(Sizer, GravityConstructorTakesTheValueByKind)
{
    zGravSizer l(zSizerLeft, 8), t(zSizerBottom, 9), c(zSizerCentre, 4);
    EXPECT_EQ(l.fixedWidth(), 8);
    EXPECT_EQ(l.width(), 8);
    EXPECT_EQ(l.fixedHeight(), 0);
    EXPECT_EQ(t.fixedHeight(), 9);
    EXPECT_EQ(t.fixedWidth(), 0);
    EXPECT_EQ(c.fixedWidth(), 4);
    EXPECT_EQ(c.fixedHeight(), 4);
}

}  // namespace
