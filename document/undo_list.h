// The one undo list of the document.  Point symbols record their moves and
// deletions here; a deletion record owns the removed symbol until the record
// goes.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "document/point_symbol.h"

class cPObjBase::cPointUndo {
public:
    enum eKind : uint8_t { kMove = 1, kDelete = 2, kCreate = 3 };

    // One record: what happened to which object, and where the object was.
    struct sRecord {
        eKind kind;
        cPObjPoint *object;
        int32_t x, y;
        std::unique_ptr<cPObjPoint> owned;  // the removed symbol of a deletion
    };

    cPointUndo() = default;
    cPointUndo(const cPointUndo &) = delete;
    cPointUndo &operator=(const cPointUndo &) = delete;

    // A snapshot of the object's position before a drag.
    void RecordMove(cPObjPoint *obj);
    // From now on the list owns the object.
    void RecordDelete(cPObjPoint *obj);
    // Deletes every record and the symbols they own.
    void Clear() { records.clear(); }

    int32_t GetRecordCount() const { return int32_t(records.size()); }
    const sRecord &GetRecord(int32_t index) const { return records[size_t(index)]; }

private:
    std::vector<sRecord> records;
};

extern cPObjBase::cPointUndo *gPointUndo;
