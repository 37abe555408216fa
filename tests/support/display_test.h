#pragma once
#include "support/temp_dir.h"

// A scratch test on the headless display: the display library and the pages
// start from nothing, the application instance is handed over, and all of it
// is taken down again afterwards. Tests bring the display up themselves
// (GraphicsInit) when they need it.
class DisplayTest : public ScratchTest {
protected:
    void SetUp() override;
    void TearDown() override;
};
