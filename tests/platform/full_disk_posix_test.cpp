// The settings file at exit and a written language file, on a disk that
// fills while they are saved.
#include <gtest/gtest.h>

#include <cerrno>
#include <memory>
#include <string>

#include "tests/platform/failing_saves.h"
#include "tests/support/file_size_limit_posix.h"

TEST(FullDisk, SavesKeepThePreviousFile) {
    // 400 keys make files of some 30 KB.
    test::ExpectFailedSavesKeepThePreviousFiles(
        "full_disk", 400, [](const std::u16string &) { return std::make_shared<test::cFileSizeLimit>(8192); },
        "Error: code " + std::to_string(EFBIG));
}
