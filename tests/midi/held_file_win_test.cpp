// The MIDI export, the CSV note list and the text dump over a file another
// program holds open: the previous file stays byte for byte, nothing is left
// beside it and the failure is reported.
#include <gtest/gtest.h>

#include "tests/midi/export_writers.h"
#include "tests/support/held_open_win.h"
#include "tests/support/kept_file.h"
#include "tests/support/log_capture.h"

namespace {

TEST(HeldFile, ExportsKeepThePreviousFile) {
    for (const auto &c : test::ExportWriters(200)) {
        SCOPED_TRACE(c.what);
        test::sKeptFile file("midi_held", u"export.out", "what the last export wrote");
        test::LogCapture log("midi_held_log");
        {
            test::cHeldOpen held(file.path);
            ASSERT_TRUE(held.IsHeld());
            EXPECT_EQ(c.write(file.path), RC_FAIL);
        }
        file.ExpectKept(log.Text(), "Error: code ");
        EXPECT_EQ(c.write(file.path), RC_OK);
        file.ExpectReplaced();
    }
}

}  // namespace
