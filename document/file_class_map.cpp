#include "document/file_class_map.h"

#include "document/symbol_base.h"

sFileClassMap *gFileClassMap = nullptr;

int16_t cPObjBase::MapFileClassId(int16_t fileId) {
    const sFileClassMap *map = gFileClassMap;
    if (!map || fileId < map->lowest || fileId > map->highest) return 0;
    const size_t at = size_t(fileId - map->lowest);
    return at < map->entries.size() ? map->entries[at].currentId : 0;
}
