#include "framework/core/zDblList.h"
#include "framework/core/zPlist.h"
#include "framework/core/zRect.h"
#include "framework/core/ziBitmapInfo.h"
#include "framework/core/zSlist.h"
#include "framework/core/ziWindowMap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int> walk(zPlistOf<int>& list)
{
    std::vector<int> seen;
    zPListIterOf<int> it(list);
    while (int* v = it.next())
        seen.push_back(*v);
    return seen;
}
} // namespace

TEST(zPlist, RemovingTheCurrentItemWhileIterating)
{
    int v[4] = {0, 1, 2, 3};
    zPlistOf<int> list;
    for (int& x : v)
        list.append(&x);

    zPListIterOf<int> it(list);
    std::vector<int> seen;
    while (int* x = it.next()) {
        seen.push_back(*x);
        if (*x == 1)
            it.remove();              // the current one
        if (*x == 2)
            list.remove(&v[3]);       // one ahead, no iterator on it
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(walk(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.count(), 2);
}

TEST(zPlist, TwoIteratorsOnARemovedLink)
{
    int v[3] = {10, 20, 30};
    zPlistOf<int> list;
    for (int& x : v)
        list.append(&x);

    zPListIterOf<int> a(list), b(list);
    a.next();
    EXPECT_EQ(*a.next(), 20);
    b.next();
    EXPECT_EQ(*b.next(), 20);
    b.remove();                       // both stand on 20
    EXPECT_EQ(*a.next(), 30);         // a steps on correctly
    EXPECT_EQ(*b.next(), 30);         // the link is freed now (LSan checks)
    EXPECT_EQ(a.next(), nullptr);
    EXPECT_EQ(walk(list), (std::vector<int>{10, 30}));
    // a walk that ended starts over
    EXPECT_EQ(*a.next(), 10);
}

TEST(zPlist, HandlerRemovesItselfAndAllOthers)
{
    int v[3] = {1, 2, 3};
    zPlistOf<int> list;
    for (int& x : v)
        list.append(&x);
    zPListIterOf<int> it(list);
    int calls = 0;
    while (it.next()) {
        ++calls;
        for (int& x : v)
            list.remove(&x);
    }
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(list.isEmpty());
}

TEST(zSlist, PushAppendPopTop)
{
    zSlist<int> s;
    EXPECT_EQ(s.pop(), 0);
    s.push(2);
    s.push(1);
    s.append(3);
    EXPECT_EQ(s.top(), 1);
    std::vector<int> seen;
    s.forEach([&](int x) { seen.push_back(x); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(s.pop(), 1);
    EXPECT_EQ(s.count(), 2);

    RcCStringSlist names;
    names.append("A");
    names.append("B");
    EXPECT_TRUE(names.pop() == "A");
    EXPECT_TRUE(names.pop() == "B");
    EXPECT_TRUE(names.pop().isEmpty());
}

TEST(zDblList, AtRemoveClearAndIterator)
{
    zDblList<int> list;
    int* items[4];
    for (int i = 0; i < 4; ++i) {
        items[i] = new int(i);
        list.append(items[i]);
    }
    EXPECT_EQ(*list.at(3), 3);
    EXPECT_EQ(list.at(4), nullptr);
    EXPECT_EQ(list.at(-1), nullptr);

    zDListIter<int> it(list);
    EXPECT_TRUE(it.seek(1));
    EXPECT_FALSE(it.seek(4));
    it.remove();                     // removes 1, steps back to 0
    EXPECT_EQ(*it.next(), 2);
    delete items[1];
    EXPECT_EQ(list.count(), 3);

    zDListIter<int> back(list, true);
    EXPECT_TRUE(back.seek(0));
    EXPECT_EQ(*back.current(), 0);
    EXPECT_TRUE(back.find(items[2]));
    back.remove();                   // backward: steps to 3
    EXPECT_EQ(*back.next(), 0);
    delete items[2];

    EXPECT_EQ(list.remove(items[3]), 1);
    EXPECT_EQ(list.remove(items[3]), 0);
    delete items[3];
    list.clear(true);                // deletes item 0
    EXPECT_EQ(list.count(), 0);
}

TEST(ziWindowMap, BindRebindRemove)
{
    ziWindowMap map;
    EXPECT_EQ(map.bucketCount(), 97u);
    auto* w1 = reinterpret_cast<zWindow*>(0x1000);
    auto* w2 = reinterpret_cast<zWindow*>(0x2000);
    auto h = reinterpret_cast<zWindowHandle>(0x30052);
    // a handle that falls into the same bucket
    auto same = reinterpret_cast<zWindowHandle>(0x30052 + 97);
    ASSERT_EQ(map.bucketOf(h), map.bucketOf(same));

    EXPECT_EQ(map.insert(h, w1), nullptr);
    EXPECT_EQ(map.insert(same, w2), nullptr);
    EXPECT_EQ(map.insert(h, w2), w1);
    EXPECT_EQ(map.find(h), w2);
    EXPECT_EQ(map.remove(h), w2);
    EXPECT_EQ(map.find(h), nullptr);
    EXPECT_EQ(map.remove(h), nullptr);
    EXPECT_EQ(map.find(same), w2);
}

TEST(zRect, IntersectAndPalette)
{
    zRect r;
    EXPECT_EQ(r.intersect({0, 0, 10, 10}, {5, 2, 20, 8}), (zRect{5, 2, 10, 8}));
    EXPECT_EQ(r.intersect({0, 0, 10, 10}, {10, 0, 20, 10}), zRect{}); // touching edges
    EXPECT_EQ(r.intersect({0, 0, 10, 10}, {2, 20, 4, 30}), zRect{});

    EXPECT_EQ(ziPaletteEntries(40, 4, 0), 16u);
    EXPECT_EQ(ziPaletteBytes(40, 4, 0), 64u);
    EXPECT_EQ(ziPaletteBytes(12, 8, 0), 768u);
    EXPECT_EQ(ziPaletteEntries(40, 8, 20), 20u);
    EXPECT_EQ(ziPaletteEntries(40, 24, 0), 0u);
}
