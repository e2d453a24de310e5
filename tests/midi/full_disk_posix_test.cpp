// The MIDI export, the CSV note list and the text dump on a disk that fills
// while they are written: the previous file stays byte for byte, nothing is
// left beside it and the failure is reported.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "tests/midi/export_writers.h"
#include "tests/support/file_size_limit_posix.h"
#include "tests/support/kept_file.h"
#include "tests/support/log_capture.h"

namespace {

TEST(FullDisk, ExportsKeepThePreviousFile) {
    // Songs whose files are far larger than the limit.
    for (const auto &c : test::ExportWriters(20000)) {
        SCOPED_TRACE(c.what);
        test::sKeptFile file("midi_full_disk", u"export.out", "what the last export wrote");
        test::LogCapture log("midi_full_disk_log");
        {
            test::cFileSizeLimit limit(16384);
            EXPECT_EQ(c.write(file.path), RC_FAIL);
        }
        file.ExpectKept(log.Text(), "Error: code " + std::to_string(EFBIG));
        // The same export on a disk with room replaces the file.
        EXPECT_EQ(c.write(file.path), RC_OK);
        file.ExpectReplaced();
    }
}

}  // namespace
