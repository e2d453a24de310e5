// The symbol classes of the document layer that have no behaviour of their
// own yet beyond their names: the page breaks.  The owners with their
// storage (owner_groups.h), the blocks (block_mark.h) and the character and
// text symbols (text_symbols.h) come with this header.  Each answers its
// persistent name and class id and makes new objects of its class; the rest
// of each class is built on these.
#pragma once

#include "document/block_mark.h"
#include "document/document_root.h"
#include "document/line_symbol.h"
#include "document/owner_base.h"
#include "document/owner_groups.h"
#include "document/text_symbols.h"

// Naming of a class: persistent name, id, a new default object of the class.
#define PELMORA_SYMBOL_NAMING(cls, name, id)                          \
    const char16_t *GetTypeName() const override { return name; }   \
    int16_t GetTypeId() const override { return id; }                \
    cPObjPoint *NewSameClass() const override { return new cls; }

// Family bits of a class besides the own-id bit.
#define PELMORA_SYMBOL_FAMILY(bits)                                                  \
    uint32_t GetTypeFlags(int16_t typeId) const override {                           \
        return cPObjBase::GetTypeFlags(typeId) | (bits);                             \
    }

class cPObjBreak : public ShapeObject {
public:
    PELMORA_SYMBOL_NAMING(cPObjBreak, u"PageBreak", 15)
    PELMORA_SYMBOL_FAMILY(kTypePageBreak)
};

class cPObjFmtBreak : public cPObjBreak {
public:
    PELMORA_SYMBOL_NAMING(cPObjFmtBreak, u"FmtPageBreak", 16)
};
