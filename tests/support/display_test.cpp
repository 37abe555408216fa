#include "support/display_test.h"

#include "gdl/gdl_host.h"
#include "platform/graphics.h"
#include "sys/backend.h"

namespace {

char instance;

}  // namespace

void DisplayTest::SetUp() {
    ScratchTest::SetUp();
    SysSetHeadless(true);
    GDL_reset();
    ResetGraphics();
    GDL_setAppInstance(&instance);
}

void DisplayTest::TearDown() {
    GDL_reset();
    ResetGraphics();
    SysSetHeadless(false);
    ScratchTest::TearDown();
}
