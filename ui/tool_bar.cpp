#include "ui/tool_bar.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int32_t kMinToolWidth = 18;
constexpr int32_t kRowGap = 2;
}  // namespace

// ---- cToolBarItem ----

cToolBarItem::cToolBarItem(int32_t itemX, int32_t itemY, cDispDvcBase *ownerDevice)
    : device(ownerDevice), x(itemX), y(itemY) {}

int32_t cToolBarItem::Release() {
    if (state == kToolPressed) state = kToolUp;
    return state;
}

int32_t cToolBarItem::Press() {
    if (state != kToolDisabled) state = kToolPressed;
    return state;
}

cToolBarItem *cToolBarItem::HitTest(int32_t px, int32_t py) {
    if (state == kToolDisabled) return nullptr;
    return px >= x && py >= y && px < x + width && py < y + height ? this : nullptr;
}

void cToolBarItem::Disable() { state = kToolDisabled; }

void cToolBarItem::Enable() {
    if (state == kToolDisabled) state = kToolUp;
}

void cToolBarItem::DrawState() {
    if (state == kToolPressed)
        DrawPressed();
    else
        Draw();
}

void cToolBarItem::SetPosition(int32_t newX, int32_t newY) {
    x = newX;
    y = newY;
}

int32_t cToolBarItem::SetY(int32_t newY) { return std::exchange(y, newY); }
int32_t cToolBarItem::SetWidth(int32_t newWidth) { return std::exchange(width, newWidth); }
int32_t cToolBarItem::SetHeight(int32_t newHeight) { return std::exchange(height, newHeight); }

// ---- cToolBar ----

cToolBar::cToolBar(int32_t barX, int32_t barY, cToolBarItem **barItems, uint32_t barCount, cViewPortBase *barWindow)
    : x(barX), y(barY), items(barItems), count(barCount), window(barWindow) {}

cToolBar::~cToolBar() { delete window; }

void cToolBar::Redraw() {
    if (window) window->InvalidateAll();
}

void cToolBar::DrawItems() {
    if (!items) return;
    for (uint32_t i = 0; i < count; ++i)
        if (items[i]) items[i]->DrawState();
}

uint8_t cToolBar::IsEnabled() { return enabled; }

uint8_t cToolBar::SetEnabled(uint8_t flag) {
    uint8_t previous = enabled;
    enabled = flag;
    if (flag == 1) {
        RefreshAll();
    } else if (flag == 0 && items) {
        for (uint32_t i = 0; i < count; ++i)
            if (items[i]) items[i]->Disable();
    }
    return previous;
}

cToolBarItem *cToolBar::GetPressedItem() {
    return selection && selection->GetState() == kToolPressed ? selection : nullptr;
}

void cToolBar::FinishRow(cToolBarItem **first, cToolBarItem **end, int32_t rowY, int32_t height) {
    for (cToolBarItem **p = first; p != end; ++p) {
        if (!*p) continue;
        (*p)->SetHeight(height);
        (*p)->SetY(rowY);
    }
}

void cToolBar::Layout() {
    if (!items || !window) return;
    int32_t px = x;
    int32_t rowY = y;
    int32_t h = 0;
    cToolBarItem **rowStart = items;
    int32_t windowWidth = window->GetWidth();
    for (uint32_t i = 0; i < count; ++i) {
        cToolBarItem *item = items[i];
        if (!item) continue;
        int32_t w = item->GetWidth();
        if (w < kMinToolWidth) {
            item->SetWidth(kMinToolWidth);
            w = kMinToolWidth;
        }
        if (windowWidth < px + w - 1) {
            h += kRowGap;
            FinishRow(rowStart, items + i, rowY, h);
            rowY += h;
            h = 0;
            px = x;
            rowStart = items + i;
        }
        item->SetPosition(px, rowY);
        px += w;
        h = std::max(h, item->GetContentHeight());
    }
    FinishRow(rowStart, items + count, rowY, h);
}

int32_t cToolBar::GetWidth() {
    int32_t right = x;
    bool any = false;
    for (uint32_t i = 0; items && i < count; ++i) {
        if (!items[i]) continue;
        right = any ? std::max(right, items[i]->GetX() + items[i]->GetWidth()) : items[i]->GetX() + items[i]->GetWidth();
        any = true;
    }
    return any ? right - x : 0;
}

int32_t cToolBar::GetHeight() {
    int32_t bottom = y;
    bool any = false;
    for (uint32_t i = 0; items && i < count; ++i) {
        if (!items[i]) continue;
        int32_t b = items[i]->GetY() + items[i]->GetContentHeight();
        bottom = any ? std::max(bottom, b) : b;
        any = true;
    }
    return any ? bottom - y : 0;
}

cToolBarItem *cToolBar::SelectIndex(uint32_t index) {
    if (items && index < count) Select(items[index]);
    return selection;
}

cToolBarItem *cToolBar::SelectAt(int32_t px, int32_t py) { return Select(ItemAt(px, py)); }

cToolBarItem *cToolBar::Select(cToolBarItem *item) {
    if (item && item->Press() == kToolPressed) {
        if (selection && selection != item) selection->Release();
        selection = item;
    }
    return selection;
}

cToolBarItem *cToolBar::ItemAt(int32_t px, int32_t py) {
    for (uint32_t i = 0; items && i < count; ++i)
        if (items[i])
            if (cToolBarItem *hit = items[i]->HitTest(px, py)) return hit;
    return nullptr;
}

cViewPortBase *cToolBar::SetWindow(cViewPortBase *newWindow) { return std::exchange(window, newWindow); }

cViewPortBase *cToolBar::GetWindow() { return window; }

tStatus cToolBar::IsWindowOpen() { return window ? window->IsOpen() : DVC_NOT_OPEN; }

cToolBarItem **cToolBar::SetItems(cToolBarItem **newItems, uint32_t newCount) {
    if (selection) selection->Release();
    selection = nullptr;
    cToolBarItem **old = items;
    items = newItems;
    count = newItems ? newCount : 0;
    SelectIndex(0);
    return old;
}

void cToolBar::DisableItem(uint32_t index) {
    if (items && index < count && items[index]) items[index]->Disable();
    Redraw();
}

void cToolBar::EnableItem(uint32_t index) {
    if (items && index < count && items[index]) items[index]->Enable();
    Redraw();
}

void cToolBar::Refresh(int32_t) { Redraw(); }

void cToolBar::RefreshAll() { Refresh(1); }

// ---- cToolBars ----

cToolBars::cToolBars(int32_t barX, int32_t barY, cViewPortBase *barWindow, int32_t groupTotal)
    : cToolBar(barX, barY, nullptr, 0, barWindow),
      groups(groupTotal > 0 ? std::make_unique<sToolGroup[]>(size_t(groupTotal)) : nullptr),
      groupCount(groupTotal > 0 ? groupTotal : 0) {}

cToolBars::~cToolBars() = default;

void cToolBars::AdoptAllItems(cToolBarItem **array, int32_t arrayCount) {
    ownedItems.DeleteAll();
    itemArray.reset(array);
    allItems = array;
    allCount = array ? arrayCount : 0;
    for (int32_t i = 0; i < allCount; ++i) ownedItems.push_back(array[i]);
}

void cToolBars::Layout() {
    if (currentGroup == kAllToolsGroup) {
        cToolBar::Layout();
        return;
    }
    if (!allItems || !groups) return;
    for (int32_t g = 0; g < groupCount; ++g) {
        const sToolGroup &group = groups[g];
        if (group.count <= 0 || group.first < 0 || group.first + group.count > allCount) continue;
        int32_t px = x;
        int32_t h = 0;
        cToolBarItem **first = allItems + group.first;
        for (int32_t i = 0; i < group.count; ++i) {
            cToolBarItem *item = first[i];
            if (!item) continue;
            if (item->GetWidth() < kMinToolWidth) item->SetWidth(kMinToolWidth);
            item->SetPosition(px, y);
            px += item->GetWidth();
            h = std::max(h, item->GetContentHeight());
        }
        FinishRow(first, first + group.count, y, h);
    }
}

void cToolBars::DisableGroupItem(uint32_t group, uint32_t index) {
    if (group >= uint32_t(groupCount) || !allItems || !groups || index >= uint32_t(groups[group].count)) return;
    if (cToolBarItem *item = allItems[groups[group].first + int32_t(index)]) item->Disable();
    Redraw();
}

void cToolBars::EnableGroupItem(uint32_t group, uint32_t index) {
    if (group >= uint32_t(groupCount) || !allItems || !groups || index >= uint32_t(groups[group].count)) return;
    if (cToolBarItem *item = allItems[groups[group].first + int32_t(index)]) item->Enable();
    Redraw();
}

void cToolBars::DisableItem(uint32_t index) {
    if (currentGroup != kAllToolsGroup) {
        DisableGroupItem(currentGroup, index);
        return;
    }
    if (!allItems || index >= uint32_t(allCount)) return;
    if (allItems[index]) allItems[index]->Disable();
    Redraw();
}

void cToolBars::EnableItem(uint32_t index) {
    if (currentGroup != kAllToolsGroup) {
        EnableGroupItem(currentGroup, index);
        return;
    }
    if (!allItems || index >= uint32_t(allCount)) return;
    if (allItems[index]) allItems[index]->Enable();
    Redraw();
}

void cToolBars::SelectGroup(uint32_t key) {
    if (!groups || !allItems || groupCount <= 0) return;
    bool wasAll = currentGroup == kAllToolsGroup;
    // Remember where the selection stood in the shown items; the all view
    // shares the first group's record.
    sToolGroup &shown = wasAll ? groups[0] : groups[currentGroup < uint32_t(groupCount) ? currentGroup : 0];
    for (uint32_t i = 0; items && selection && i < count; ++i)
        if (items[i] == selection) {
            shown.selected = int32_t(i);
            break;
        }
    if (selection) selection->Release();
    selection = nullptr;
    if (key == kAllToolsGroup) {
        SetItems(allItems, uint32_t(allCount));
        // SetItems selected the first item; the remembered one replaces it.
        if (selection) selection->Release();
        selection = nullptr;
        currentGroup = kAllToolsGroup;
        SelectIndex(uint32_t(groups[0].selected));
        if (!wasAll) Layout();
        return;
    }
    for (int32_t g = 0; g < groupCount; ++g) {
        if (groups[g].key != key) continue;
        cToolBarItem **slice = groups[g].count > 0 ? allItems + groups[g].first : nullptr;
        SetItems(slice, uint32_t(std::max(groups[g].count, 0)));
        if (selection) selection->Release();
        selection = nullptr;
        currentGroup = uint32_t(g);
        SelectIndex(uint32_t(groups[g].selected));
        if (wasAll) Layout();
        return;
    }
    if (wasAll) Layout();
}
