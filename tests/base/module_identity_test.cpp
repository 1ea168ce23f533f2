// Which two modules are proven to be one: the same login on the same
// connection, or the same SIM number (with or without its "+").
#include "base/module_identity.h"
#include <gtest/gtest.h>

using namespace portiqa;

TEST(ModuleIdentity, OnlyTheSameConnectionOrTheSameSimNumberProvesOneModule) {
    struct Case { TModuleIdentity a, b; bool same; };
    const Case cases[] = {
        {{"+79161234567", "", "ttyUSB0", 1}, {"+79161234567", "", "ttyUSB1", 2}, true},
        {{"+79161234567", "", "", 1}, {"79161234567", "", "", 2}, true},
        {{"+79161234567", "", "", 1}, {"+79031234567", "", "", 2}, false},
        {{"", "", "ttyUSB0", 1}, {"", "", "ttyUSB0", 1}, true},           // one login on one connection
        {{"", "", "ttyUSB0", 1}, {"", "", "ttyUSB0", 2}, false},          // reconnected: not proven
        {{"", "A1", "ttyUSB0", 1}, {"", "A1", "ttyUSB0", 2}, false},      // the cable's serial names the cable
        {{"", "", "", -1}, {"", "", "", -1}, false},                      // two files
        {{"+7916", "", "", -1}, {"", "", "", 3}, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameModule(c.a, c.b), c.same) << c.a.simNumber.toStdString() << " / " << c.b.simNumber.toStdString();
        EXPECT_EQ(SameModule(c.b, c.a), c.same);
    }
}
