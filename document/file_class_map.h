// The class map of the score file being read: the file's lowest and highest
// class ids and, per id, the class id of this program that bears the same
// name (0 when none).  The file reader fills it from the class dictionary;
// owners map their children's file ids through it.
#pragma once

#include <cstdint>
#include <vector>

struct sFileClassEntry {
    int16_t fileId = 0;
    int16_t currentId = 0;  // 0: the class is not registered here
    int16_t recordSize = 0;
    int16_t defaultsSize = 0;
};

struct sFileClassMap {
    int16_t lowest = 0;
    int16_t highest = -1;
    std::vector<sFileClassEntry> entries;  // one per id from lowest to highest
};

// The map of the file being read; null when there is none.
extern sFileClassMap *gFileClassMap;
