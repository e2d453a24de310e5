#include "document/symbol_tags.h"

#include <unordered_map>

namespace {

struct sTagTable {
    std::unordered_map<const cPObjBase *, uint32_t> tags;
    std::unordered_map<uint32_t, cPObjBase *> symbols;
    uint32_t lastTag = 0;
};

sTagTable &Table() {
    static sTagTable table;
    return table;
}

}  // namespace

uint32_t TagOfSymbol(const cPObjBase *symbol) {
    if (!symbol) return 0;
    sTagTable &t = Table();
    if (auto found = t.tags.find(symbol); found != t.tags.end()) return found->second;
    // 0 stays "none"; a tag comes round again only after 2^32 - 1 others,
    // and never while its symbol lives.
    do {
        ++t.lastTag;
    } while (t.lastTag == 0 || t.symbols.count(t.lastTag));
    t.tags.emplace(symbol, t.lastTag);
    t.symbols.emplace(t.lastTag, const_cast<cPObjBase *>(symbol));
    return t.lastTag;
}

cPObjBase *SymbolOfTag(uint32_t tag) {
    sTagTable &t = Table();
    auto found = t.symbols.find(tag);
    return found == t.symbols.end() ? nullptr : found->second;
}

void ForgetSymbolTag(const cPObjBase *symbol) {
    sTagTable &t = Table();
    if (t.tags.empty()) return;
    auto found = t.tags.find(symbol);
    if (found == t.tags.end()) return;
    t.symbols.erase(found->second);
    t.tags.erase(found);
}
