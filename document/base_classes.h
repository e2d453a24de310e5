// The symbol classes of the document layer that have no behaviour of their
// own yet beyond their names: character and text symbols, the document root
// and page breaks.  The owners with their storage (owner_groups.h) and the
// blocks (block_mark.h) come with this header.  Each answers its persistent
// name and class id and makes new objects of its class; the rest of each
// class is built on these.
#pragma once

#include "document/block_mark.h"
#include "document/document_root.h"
#include "document/line_symbol.h"
#include "document/owner_base.h"
#include "document/owner_groups.h"

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

class CharObject : public ShapeObject {
public:
    PELMORA_SYMBOL_NAMING(CharObject, u"Char", 3)
    PELMORA_SYMBOL_FAMILY(kTypeText)
};

class TextObject : public ShapeObject {
public:
    PELMORA_SYMBOL_NAMING(TextObject, u"Text", 4)
    PELMORA_SYMBOL_FAMILY(kTypeText)
};

class TextFontObject : public TextObject {
public:
    PELMORA_SYMBOL_NAMING(TextFontObject, u"FontText", 5)
};

class StaticTextObject : public TextFontObject {
public:
    PELMORA_SYMBOL_NAMING(StaticTextObject, u"StaticText", 6)
};

class cPObjBreak : public ShapeObject {
public:
    PELMORA_SYMBOL_NAMING(cPObjBreak, u"PageBreak", 15)
    PELMORA_SYMBOL_FAMILY(kTypePageBreak)
};

class cPObjFmtBreak : public cPObjBreak {
public:
    PELMORA_SYMBOL_NAMING(cPObjFmtBreak, u"FmtPageBreak", 16)
};
