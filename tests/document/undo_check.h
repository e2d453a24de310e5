// Checks of the undo list's records shared by the symbol tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "document/undo_list.h"
#include "foundation/text_util.h"

namespace test {

// Whether the record at index (0 the oldest) is of the type and about the
// object.
inline ::testing::AssertionResult IsUndoRecord(int32_t index, const std::u16string &typeName, const cPObjBase *obj) {
    const cPObjBase::cPointUndo::cUndelete *record = gPointUndo ? gPointUndo->GetRecord(index) : nullptr;
    if (!record) return ::testing::AssertionFailure() << "no record " << index;
    if (record->TypeName() != typeName)
        return ::testing::AssertionFailure() << "record " << index << " is " << NarrowAscii(record->TypeName());
    if (record->RefersTo(obj) != 0) return ::testing::AssertionFailure() << "record " << index << " is about another object";
    return ::testing::AssertionSuccess();
}

}  // namespace test
