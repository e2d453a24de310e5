// The settings file at exit and a written language file whose previous file
// another program holds open without sharing it.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/platform/failing_saves.h"
#include "tests/support/held_open_win.h"

TEST(HeldFile, SavesKeepThePreviousFile) {
    test::ExpectFailedSavesKeepThePreviousFiles(
        "held_file", 1,
        [](const std::u16string &target) {
            auto held = std::make_shared<test::cHeldOpen>(target);
            EXPECT_TRUE(held->IsHeld());
            return held;
        },
        "Error: code ");
}
