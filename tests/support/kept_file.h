// A file that a failing save must leave alone: made with its previous
// content in a folder of its own; afterwards the file holds that content byte
// for byte, nothing else stands beside it, and the log shows the error.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"

namespace test {

struct sKeptFile {
    sKeptFile(const char *folderName, const char16_t *name, std::string bytes)
        : folder(MakeTempFolder(folderName)), path(folder + name), previous(std::move(bytes)) {
        WriteFileBytes(path, previous);
    }

    // The checks after the failed save; `error` is what the log must hold.
    void ExpectKept(const std::string &log, const std::string &error) const {
        EXPECT_EQ(ReadFileBytes(path), previous);
        EXPECT_EQ(FolderEntries(folder), std::vector<std::u16string>{std::u16string(GetName())});
        EXPECT_NE(log.find(error), std::string::npos) << log;
    }
    // After a save that succeeded: the new content, still nothing beside it.
    void ExpectReplaced() const {
        EXPECT_NE(ReadFileBytes(path), previous);
        EXPECT_EQ(FolderEntries(folder), std::vector<std::u16string>{std::u16string(GetName())});
    }
    std::u16string GetName() const { return path.substr(folder.size()); }

    std::u16string folder;
    std::u16string path;
    std::string previous;
};

}  // namespace test
