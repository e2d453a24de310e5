#include "tests/document/symbol_fixture.h"

#include <algorithm>
#include <map>

#include "document/commands.h"
#include "ui/graph_dvc.h"

namespace test {

const char16_t *cRangeSymbol::GetTypeName() const {
    static std::map<int16_t, std::u16string> names;
    std::u16string &name = names[id];
    if (name.empty()) {
        std::string text = "Music" + std::to_string(id);
        name.assign(text.begin(), text.end());
    }
    return name.c_str();
}

cListOwner::~cListOwner() {
    for (cPObjPoint *child : children) {
        child->SetOwner(nullptr);
        delete child;
    }
}

bool cListOwner::AddChild(cPObjPoint *child) {
    if (!child) return false;
    children.push_back(child);
    return true;
}

cPObjPoint *cListOwner::RemoveChild(cPObjPoint *child) {
    auto at = std::find(children.begin(), children.end(), child);
    if (at == children.end()) return nullptr;
    children.erase(at);
    return cPointOwner::RemoveChild(child);
}

cTestScoreWindow::cTestScoreWindow() : cViewPort(nullptr, 0x50000000, u"MusicWin") {
    Open();
    Attach();
    PrepareDraw();
    cPObjBase::SetCurrentWindow(this);
}

cTestScoreWindow::~cTestScoreWindow() {
    if (gCurrentScoreWindow == this) cPObjBase::SetCurrentWindow(nullptr);
}

#if !defined(_WIN32)
std::vector<std::string> cTestScoreWindow::TakeOps() {
    std::vector<std::string> ops;
    for (const sDrawRecord &r : Records()) ops.push_back(r.op);
    ClearRecords();
    return ops;
}
#endif

void BuildRangePrototypes() {
    if (!cPObjBase::RegistryAllocated()) {
        cPObjBase::ReserveRegistryIds(17, kLastClassId);
    } else {
        for (int16_t id = 17; id <= kLastClassId; ++id) (new cRangeSymbol(id))->Register(nullptr);
    }
    cPObjBase::RegisterBaseClasses();
}

int32_t BuildTestRegistry() { return cPObjBase::BuildRegistry(BuildRangePrototypes); }

void ResetSymbolState() {
    cPObjBase::ShutDown();
    gSelectedObject = gFocusObject = gHoverObject = nullptr;
    gCurrentDocument = nullptr;
    gCurrentScoreWindow = gOutputWindow = nullptr;
    gEditMode = gEditFlags = gDocumentFlags = 0;
    gFileVersion = 0x1000000;
    gSortMode = 0;
    gDrawBudget = 0xFFFFFFFF;
    gLastClassId = 17;
    cPObjBase::ClearRedrawArea();
    cPObjBase::ClearOwnerRedrawArea();
    cLineObject::SetDefaultLineWidth(1);
}

void SymbolTest::SetUp() {
    ResetSymbolState();
    liveAtStart = gLiveSymbolCount;
}

void SymbolTest::TearDown() {
    ResetSymbolState();
    EXPECT_EQ(gLiveSymbolCount, liveAtStart) << "symbols left alive";
}

}  // namespace test
