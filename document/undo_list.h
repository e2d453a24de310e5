// The one undo list of the document.  Mouse edits leave a record for every
// deletion, move and creation; undo applies the newest record and drops it.
// There is no redo.  A deletion record owns the removed symbol until it is
// undone or dropped; a move record owns the copy of the moved symbol's old
// state.
//
// A record names its object and the object's owner as they were when it was
// made.  Either may be deleted since, so a record never reads through those
// pointers until it has found them again in the current document: it keeps
// the class ids and the owner's position that it compares.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>

#include "document/point_symbol.h"
#include "foundation/char_string.h"
#include "foundation/vector_ptr.h"

class cPObjBase::cPointUndo {
public:
    class cUndelete;
    class cUnMove;
    class cUncreate;

    // The oldest record goes when a newer one would make more.
    static constexpr int32_t kMaxRecords = 500;

    cPointUndo() = default;
    cPointUndo(const cPointUndo &) = delete;
    cPointUndo &operator=(const cPointUndo &) = delete;

    // A record for the object, pushed.  From RecordDelete on the list owns
    // the object.  Each answers 0.
    tStatus RecordDelete(cPObjPoint *obj);
    tStatus RecordMove(cPObjPoint *obj);
    tStatus RecordCreate(cPObjPoint *obj);

    // Takes the record; answers 0.
    tStatus Push(cUndelete *record);
    // Applies the newest record and drops it; an empty list does nothing.
    tStatus Undo();
    // Drops every record of the object.
    tStatus Purge(const cPObjBase *obj);
    // Drops every record and what the records own.
    void Clear() { records.DeleteAll(); }
    // One line per record, oldest first.
    void Dump(std::ostream &stream) const;

    int32_t GetRecordCount() const { return records.Size(); }
    // The record at index (0 the oldest); null outside the list.
    const cUndelete *GetRecord(int32_t index) const;

private:
    lcVectorPtr<cUndelete> records;
};

// A deletion: the object was taken out of its owner and lives only here
// until undo puts it back.  The base of the other records, which share its
// fields, their validation by the owner and their texts.
class cPObjBase::cPointUndo::cUndelete {
public:
    explicit cUndelete(cPObjPoint *obj);
    // Deletes the object it still holds.
    virtual ~cUndelete();
    cUndelete(const cUndelete &) = delete;
    cUndelete &operator=(const cUndelete &) = delete;

    virtual const char16_t *TypeName() const { return u"Undelete"; }
    // Type name, ": ", the object's class name, " @ ", x, ", ", y.
    virtual cCharString Describe() const;
    // The record's line of the undo dump.
    virtual void Dump(std::ostream &stream) const;
    // 0 when the record is about that object, else kFailed.
    virtual tStatus RefersTo(const cPObjBase *obj) const;
    // 0 when the record can be applied to the current document.
    virtual tStatus Validate() const;
    // Puts the document back; a record that does not validate does nothing.
    virtual tStatus Apply();

protected:
    // The recorded owner when it still stands in the current document, the
    // document itself included; null otherwise.  Only pointers are compared
    // until it is found, and then its class id must be the recorded one.
    cPObjOwnBase *FindOwnerAgain() const;
    // The object when it still stands under that owner with its recorded
    // class id; null otherwise.
    cPObjPoint *FindObjectAgain() const;

    // Held by a deletion record until undo hands it back; the other records
    // only name an object of the document and forget it before this
    // destructor runs.
    cPObjPoint *object;
    cPObjOwnBase *owner;
    int32_t ownerX = kNoPosition;
    int32_t ownerY = kNoPosition;
    int16_t objectTypeId = 0;
    int16_t ownerTypeId = 0;
};

// A move, or any change of state that a drag can make: the record keeps a
// detached copy of the object as it was, and the sibling that followed it,
// so that undo gives back its place among its owner's children as well.
class cPObjBase::cPointUndo::cUnMove : public cUndelete {
public:
    explicit cUnMove(cPObjPoint *obj);
    // The object belongs to the document; only the copy goes.
    ~cUnMove() override;

    const char16_t *TypeName() const override { return u"UnMove"; }
    tStatus Validate() const override;
    tStatus Apply() override;

private:
    void RestoreOrder();

    std::unique_ptr<cPObjPoint> copy;
    // Compared only, never read: it may have been deleted since.  Null when
    // the object came last.
    const cPObjBase *next = nullptr;
};

// A creation: the object lives in the document, and undo removes it.
class cPObjBase::cPointUndo::cUncreate : public cUndelete {
public:
    using cUndelete::cUndelete;
    ~cUncreate() override;

    const char16_t *TypeName() const override { return u"UnCreate"; }
    tStatus Validate() const override;
    tStatus Apply() override;
};

extern cPObjBase::cPointUndo *gPointUndo;
