#include "notation/palette.h"

#include <algorithm>

#include "document/point_symbol.h"
#include "foundation/rectangle.h"
#include "ui/graph_dvc.h"

namespace {

constexpr tColour kDisabledGrey = 0xB4B4B4;
constexpr tColour kBlack = 0;
// The raster operation of a picture drawn over the palette's background.
constexpr int32_t kPictureBitmapMode = 1;

// The picture rectangle of a class's prototype; empty for a class that is
// not registered.
cRectangl PictureBox(int16_t classId) {
    cPObjPoint *prototype = cPObjBase::PrototypeById(classId);
    const cRectangl *box = prototype ? prototype->GetImageRect() : nullptr;
    return box ? *box : cRectangl(0, 0, 0, 0);
}

}  // namespace

int32_t PaletteButtonCount(const sPalettePage &page) {
    if (page.firstId == 0 || page.lastId == 0 || page.lastId < page.firstId) return 0;
    return int32_t(page.lastId) - int32_t(page.firstId) + 1;
}

// ---- cMusicToolBarItem ----

cMusicToolBarItem::cMusicToolBarItem(int32_t barX, int32_t barY, int16_t id, cGraphDvc *toolWindow)
    : cToolBarItem(barX, barY, toolWindow), classId(id) {
    width = std::max(width, GetContentWidth());
    height = std::max(height, GetContentHeight());
}

int32_t cMusicToolBarItem::GetContentWidth() { return PictureBox(classId).width; }

int32_t cMusicToolBarItem::GetContentHeight() { return PictureBox(classId).height; }

void cMusicToolBarItem::Draw() {
    auto *window = dynamic_cast<cGraphDvc *>(device);
    if (!window) return;
    const tColour colour = state == kToolDisabled ? kDisabledGrey : kBlack;
    const int32_t mode = window->SetBitmapMode(kPictureBitmapMode);
    const tColour text = window->SetTextColour(colour);
    const tColour pen = window->SetColour(colour);
    // The device draws a two-colour bitmap's ink in the bitmap colour, not
    // the text colour: without it a disabled bitmap picture stays black
    // beside the greyed glyphs.
    const tColour ink = window->SetBitmapColour(colour);
    if (cPObjPoint *prototype = cPObjBase::PrototypeById(classId)) {
        const cRectangl box = PictureBox(classId);
        prototype->DrawPicture(x + (width - box.width) / 2, y + (height - box.height) / 2, window);
    }
    window->SetBitmapColour(ink);
    window->SetColour(pen);
    window->SetTextColour(text);
    window->SetBitmapMode(mode);
}

void cMusicToolBarItem::DrawPressed() {
    Draw();
    auto *window = dynamic_cast<cGraphDvc *>(device);
    if (window && state != kToolDisabled) window->InvertRect(x, y, width, height);
}

cPObjPoint *cMusicToolBarItem::NewSymbol() { return cPObjBase::NewById(classId); }

// ---- cMusicToolBar ----

cMusicToolBar::cMusicToolBar(const sPalettePage *pageTable, int32_t count, cViewPortBase *toolWindow)
    : cToolBars(0, 0, toolWindow, pageTable ? count : 0), pages(pageTable), pageCount(groupCount) {
    if (!window) return;
    BuildItems();
    Layout();
}

cMusicToolBar::~cMusicToolBar() = default;

void cMusicToolBar::BuildItems() {
    if (!window || !groups) return;
    int32_t total = 0;
    for (int32_t p = 0; p < pageCount; ++p) total += PaletteButtonCount(pages[p]);
    // The array is made once; a second build only fills what is missing.
    const bool firstBuild = !allItems;
    cToolBarItem **array = firstBuild ? new cToolBarItem *[size_t(total)]() : allItems;
    int32_t at = 0;
    for (int32_t p = 0; p < pageCount; ++p) {
        const sPalettePage &page = pages[p];
        const int32_t buttons = PaletteButtonCount(page);
        groups[p] = {at, buttons, int32_t(page.selectedId) - int32_t(page.firstId), page.key};
        for (int32_t j = 0; j < buttons; ++j) {
            if (array[at + j]) continue;
            array[at + j] = new cMusicToolBarItem(x, y, int16_t(page.firstId + j), window);
            if (!firstBuild) ownedItems.push_back(array[at + j]);
        }
        at += buttons;
    }
    if (firstBuild) AdoptAllItems(array, total);

    const sToolGroup &first = groups[0];
    SetItems(first.count > 0 ? allItems + first.first : nullptr, uint32_t(first.count));
    currentGroup = 0;
    SelectIndex(uint32_t(first.selected));
}

bool cMusicToolBar::HoldsButton(const cToolBarItem *button) const {
    if (!button || !allItems) return false;
    return std::find(allItems, allItems + allCount, button) != allItems + allCount;
}

void cMusicToolBar::Refresh(int32_t) {
    for (int32_t g = 0; g < groupCount; ++g)
        for (int32_t i = 0; i < groups[g].count; ++i) EnableGroupItem(uint32_t(g), uint32_t(i));
}
