// Test main of every unit-test program: one operating-system object for the
// whole run, its data folder in a private temporary folder, every message box
// answered OK without being shown.
#include <gtest/gtest.h>

#include "platform/op_sys.h"
#include "tests/test_support.h"
#include "ui/window_layer.h"

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    InstallWindowLayer();
    cOpSysVirtual opSys(nullptr, nullptr, u"");
    opSys.SetScriptedBoxAnswer(1);
    opSys.SetDataFolderForTest(test::MakeTempFolder("data"));
    return RUN_ALL_TESTS();
}
