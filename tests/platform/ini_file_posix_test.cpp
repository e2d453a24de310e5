#include "platform/ini_file.h"

#include <gtest/gtest.h>

// A full disk: the writes fail, and Save must say so.
TEST(IniFilePosix, SaveOntoAFullDeviceFails) {
    cIniFile ini;
    ini.SetValue(u"Language", u"1033");
    EXPECT_EQ(ini.Save(u"\\dev\\full"), RC_FAIL);
}
