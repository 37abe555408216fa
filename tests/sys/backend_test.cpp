#include "sys/backend.h"

#include <gtest/gtest.h>

#include <string>

#include "sys/clock.h"

namespace {

std::string heard;

void First() {
    heard += "1";
}
void Second() {
    heard += "2";
    SysRemovePumpListener(Second);  // a listener may take itself off while running
}

TEST(BackendTest, PumpRunsListenersInOrderOnce) {
    heard.clear();
    SysAddPumpListener(First);
    SysAddPumpListener(Second);
    SysAddPumpListener(First);  // added once only
    SysPump();
    SysPump();
    EXPECT_EQ(heard, "121");
    SysRemovePumpListener(First);
    SysPump();
    EXPECT_EQ(heard, "121");
}

}  // namespace
