// Tool bars: small picture buttons laid out in rows inside a tool window,
// exactly one of them the current selection.  The pictures and the set of
// tools belong to the palette; the windows post the chosen, right-clicked
// or hovered tool to their owner.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"
#include "ui/view_port.h"

class cToolBar;

constexpr int32_t kToolUp = 0;
constexpr int32_t kToolPressed = 1;
constexpr int32_t kToolDisabled = 2;

// Messages posted to the tool window's owner.
constexpr uint32_t kMsgToolSelected = 1025;
constexpr uint32_t kMsgToolRightClick = 1026;
constexpr uint32_t kMsgToolHover = 1027;

// The key of the view that shows every group's tools.
constexpr uint32_t kAllToolsGroup = 0x80000000u;

class cToolBarItem {
public:
    cToolBarItem(int32_t x, int32_t y, cDispDvcBase *ownerDevice);
    virtual ~cToolBarItem() = default;

    virtual int32_t Release();
    // Answers the new state; 1 when the press was taken.
    virtual int32_t Press();
    virtual cToolBarItem *HitTest(int32_t px, int32_t py);
    virtual void Disable();
    virtual void Enable();
    virtual int32_t GetContentWidth() = 0;
    virtual int32_t GetContentHeight() = 0;
    virtual void Draw() = 0;
    virtual void DrawPressed() = 0;

    void DrawState();
    void SetPosition(int32_t newX, int32_t newY);
    int32_t SetY(int32_t newY);
    int32_t SetWidth(int32_t newWidth);
    int32_t SetHeight(int32_t newHeight);

    int32_t GetX() const { return x; }
    int32_t GetY() const { return y; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    int32_t GetState() const { return state; }
    cDispDvcBase *GetDevice() const { return device; }

protected:
    cDispDvcBase *device;
    int32_t x;
    int32_t y;
    int32_t width = 12;
    int32_t height = 12;
    int32_t state = kToolUp;
};

class cToolBar {
public:
    // The bar does not own the items array; it owns the window.
    cToolBar(int32_t x, int32_t y, cToolBarItem **items, uint32_t count, cViewPortBase *window);
    virtual ~cToolBar();
    cToolBar(const cToolBar &) = delete;
    cToolBar &operator=(const cToolBar &) = delete;

    virtual void Redraw();
    virtual void DrawItems();
    virtual uint8_t IsEnabled();
    virtual uint8_t SetEnabled(uint8_t flag);
    virtual cToolBarItem *GetPressedItem();
    virtual void BuildItems() {}
    // Rows of items at least 18 wide, wrapped at the window's width; every
    // row but the last 2 taller than its tallest picture.
    virtual void Layout();
    virtual int32_t GetWidth();
    virtual int32_t GetHeight();
    virtual cToolBarItem *SelectIndex(uint32_t index);
    virtual cToolBarItem *SelectAt(int32_t px, int32_t py);
    virtual cToolBarItem *Select(cToolBarItem *item);
    virtual cToolBarItem *ItemAt(int32_t px, int32_t py);
    virtual cViewPortBase *SetWindow(cViewPortBase *newWindow);
    virtual cViewPortBase *GetWindow();
    virtual tStatus IsWindowOpen();
    virtual cToolBarItem **SetItems(cToolBarItem **newItems, uint32_t newCount);
    virtual void DisableItem(uint32_t index);
    virtual void EnableItem(uint32_t index);
    virtual void Refresh(int32_t flag);
    virtual void RefreshAll();

    cToolBarItem *GetSelection() const { return selection; }
    uint32_t GetCount() const { return count; }
    cToolBarItem **GetItems() const { return items; }

protected:
    // Places a row of items and gives them its height.
    static void FinishRow(cToolBarItem **first, cToolBarItem **end, int32_t rowY, int32_t height);

    int32_t x;
    int32_t y;
    cToolBarItem **items;
    uint32_t count;
    cToolBarItem *selection = nullptr;
    cViewPortBase *window;
    uint8_t enabled = 1;
};

struct sToolGroup {
    int32_t first = 0;
    int32_t count = 0;
    int32_t selected = 0;
    uint32_t key = 0;
};

// One group of tools at a time, or all of them.  Owns every item.
class cToolBars : public cToolBar {
public:
    cToolBars(int32_t x, int32_t y, cViewPortBase *window, int32_t groupCount);
    ~cToolBars() override;

    void Layout() override;
    void DisableItem(uint32_t index) override;
    void EnableItem(uint32_t index) override;
    virtual void SelectGroup(uint32_t key);
    virtual void DisableGroupItem(uint32_t group, uint32_t index);
    virtual void EnableGroupItem(uint32_t group, uint32_t index);

    uint32_t GetCurrentGroup() const { return currentGroup; }
    sToolGroup *Groups() const { return groups.get(); }
    int32_t GetGroupCount() const { return groupCount; }

protected:
    // For the palette: takes the array (allocated with new[]) and its items.
    void AdoptAllItems(cToolBarItem **array, int32_t arrayCount);

    // The array of every item and the items, owned; allItems shows the array.
    std::unique_ptr<cToolBarItem *[]> itemArray;
    lcVectorPtr<cToolBarItem> ownedItems;
    cToolBarItem **allItems = nullptr;
    int32_t allCount = 0;
    std::unique_ptr<sToolGroup[]> groups;
    int32_t groupCount;
    uint32_t currentGroup = 0;
};
