#include "framework/core/zControlType.h"

#include <gtest/gtest.h>

namespace {

int lastMade = 0;
zWindow* makeFirst(zWindow*, zSizer*, uint32_t, const char*, int32_t id)
{
    lastMade = 1000 + id;
    return nullptr;
}
zWindow* makeSecond(zWindow*, zSizer*, uint32_t, const char*, int32_t id)
{
    lastMade = 2000 + id;
    return nullptr;
}

zControlType first("fwcStatTxtClass", makeFirst);
zControlType duplicate("FWCSTATTXTCLASS", makeSecond);
zControlType other("fwcOtherClass", makeSecond);

TEST(ControlType, LooksUpWithoutRegardToCaseEarliestFirst)
{
    for (const char* name : {"fwcStatTxtClass", "FWCSTATTXTCLASS", "fwcstattxtclass"}) {
        const zControlType* t = zControlType::find(name);
        ASSERT_EQ(t, &first) << name;
        t->create(nullptr, nullptr, 0, "", 7);
        EXPECT_EQ(lastMade, 1007);
    }
    EXPECT_EQ(zControlType::find("fwcOtherClass"), &other);
    // Prefixes and longer names do not match.
    EXPECT_EQ(zControlType::find("fwcStatTxt"), nullptr);
    EXPECT_EQ(zControlType::find("fwcStatTxtClassX"), nullptr);
    EXPECT_EQ(zControlType::find("static"), nullptr);
    EXPECT_EQ(zControlType::find(nullptr), nullptr);
}

} // namespace
