// Score input: how the score window turns mouse buttons, mouse moves and
// keys into edits of the score, and the small popup menu of a right click.
// The window decides little itself: it picks the class to place, hands the
// point to the score, then repaints what the score marked as changed and
// refreshes the status bar.
#include "app/music_window.h"

#include <string>

#include "document/block_mark.h"
#include "document/undo_list.h"
#include "notation/palette.h"
#include "platform/op_sys_base.h"
#include "staves/score_object.h"
#include "staves/staff.h"
#include "ui/menu_item.h"
#include "ui/message_ids.h"

namespace {
// Shift + click starts a block whatever tool is current.
constexpr int16_t kBlockToolId = 185;

// Normalised control keys; with the special-key flag the same codes name
// cursor and editing keys, which go to the score.
constexpr uint16_t kKeyCopy = 3;    // Ctrl+C
constexpr uint16_t kKeyPaste = 22;  // Ctrl+V
constexpr uint16_t kKeyCut = 24;    // Ctrl+X
constexpr uint16_t kKeyUndo = 26;   // Ctrl+Z

constexpr uint32_t kCmdPaste = 202;
constexpr uint32_t kCmdUndo = 204;
constexpr uint32_t kCmdDeselect = 205;
constexpr uint32_t kCmdDrawStaff = 307;
constexpr uint32_t kCmdSetupDraw = 600;
constexpr uint32_t kCmdProperties = 601;
constexpr uint32_t kCmdHelp = 700;
constexpr uint32_t kCmdHelpOnTool = 701;
constexpr uint32_t kCommandIdMask = 0xFFFF;

// The right click looks for the deepest symbol that concerns the point.
constexpr uint32_t kRightClickHitMode = 0x28;
// The popup opens a little right of and below the click.
constexpr int32_t kPopupOffset = 10;

// An edit that ends on a staff or a page break changes the score's size.
constexpr uint32_t kResizingTypes = kTypeStaff | kTypePageBreak;

std::u16string OrEmpty(const char16_t *text) { return text ? std::u16string(text) : std::u16string(); }

// The main menu's plain label of the command, empty without a main menu.
std::u16string CommandLabel(uint32_t id) {
    return gMainMenu ? OrEmpty(gMainMenu->GetCommandPlainLabel(id)) : std::u16string();
}

// "Setup Draw": the menu holding the command, a blank, the command.
std::u16string MenuAndCommandLabel(uint32_t id) {
    cMenuItemBase *item = gMainMenu ? gMainMenu->FindById(id) : nullptr;
    cMenuItemBase *top = item ? item->GetTopLevelMenu() : nullptr;
    return (top ? OrEmpty(top->GetPlainLabel()) : std::u16string()) + u" " + CommandLabel(id);
}

// The window's copy of a main-menu command; nothing when the menu lacks it.
void AddCopyOf(cSubMenuBase &popup, uint32_t id) {
    if (cMenuItemBase *item = gMainMenu ? gMainMenu->FindById(id) : nullptr) popup.AddItemFrom(item);
}

// Edit > Paste follows the block clipboard at once, not at the next paint.
void EnablePaste() {
    if (!gMainMenu) return;
    if (gBlockClipboard)
        gMainMenu->EnableCommand(kCmdPaste);
    else
        gMainMenu->DisableCommand(kCmdPaste);
}

// The selected symbol when the click is on it; otherwise the selection goes
// and the deepest symbol under the point is taken, a staff only when
// nothing else lies there.
cPObjPoint *PickRightClicked(ScoreObject &score, int32_t x, int32_t y) {
    cPObjPoint *picked = gSelectedObject;
    if (picked && picked->HitTest(x, y) == 0) {
        picked = nullptr;
        score.ClearSelection(0, 0);
    }
    if (!picked) picked = score.HitTestChildren(x, y, 0, kRightClickHitMode, kTypeStaff, nullptr);
    if (!picked) picked = score.HitTestChildren(x, y, 0, kRightClickHitMode, 0, nullptr);
    return picked;
}

void FillObjectPopup(cSubMenuBase &popup, cPObjPoint &picked) {
    if (gSelectedObject) AddCopyOf(popup, kCmdDeselect);
    if (picked.HasClassSetup() == 0)
        popup.AddItem(MenuAndCommandLabel(kCmdSetupDraw).c_str(), kCmdSetupDraw | kWindowCommandBit, 0);
    if (picked.HasObjectSetup() == 0 && &picked == gSelectedObject) AddCopyOf(popup, kCmdProperties);
    const std::u16string staffLabel = CommandLabel(kCmdDrawStaff);
    if (cMenuItemBase *staff = popup.AddItem(staffLabel.c_str(), MusicWin::kCmdSelectStaff | kWindowCommandBit, 0))
        staff->SetHint(u"Select the staff");
    if (cStaffBase::GetScoreStaffFlags() != 0)
        if (cMenuItemBase *brace = popup.AddItem(u"Brace", MusicWin::kCmdSelectBrace | kWindowCommandBit, 0))
            brace->SetHint(u"Select the brace");
    const std::u16string helpLabel = CommandLabel(kCmdHelp);
    popup.AddItem(helpLabel.c_str(), kCmdHelpOnTool | kWindowCommandBit, 0);
}
}  // namespace

tStatus MusicWin::OnLeftDown(int32_t x, int32_t y, sWinMessage &) {
    rightClicked = nullptr;
    if (busy || !score) return RC_OK;
    TakeFocus();
    int16_t tool = 0;
    if (gOpSys && gOpSys->IsShiftDown()) {
        tool = kBlockToolId;
    } else if (cMusicToolBarItem *current = GetCurrentTool()) {
        tool = current->GetClassId();
    }
    score->OnMouseDown(tool, x, y);
    InvalidateAll();
    return RC_OK;
}

tStatus MusicWin::OnMouseMove(int32_t x, int32_t y, sWinMessage &) {
    mouseX = x;
    mouseY = y;
    if (busy || !score) return RC_OK;
    score->OnMouseMove(x, y);
    RepaintPendingArea(true);
    UpdateStatusText();
    return RC_OK;
}

tStatus MusicWin::OnLeftUp(int32_t, int32_t, sWinMessage &) {
    if (busy || !score) return RC_OK;
    cPObjPoint *edited = score->OnMouseUp();
    InvalidateAll();
    UpdateStatusText();
    if (edited && (edited->GetTypeFlags(0) & kResizingTypes)) UpdateScrollExtent();
    return RC_OK;
}

// A print in progress leaves the score as it is: no deletion and no popup
// (which would clear the selection).
tStatus MusicWin::OnRightDown(int32_t x, int32_t y, sWinMessage &record) {
    if (busy || !score) return RC_OK;
    if (record.key & kMouseLeftButtonBit) {
        score->DeleteHilighted();
        // The deleted symbol lives on only in the undo list: the rest of the
        // drag and the release must not edit it there.
        gHoverObject = nullptr;
        InvalidateAll();
        UpdateStatusText();
        return RC_OK;
    }
    auto *frameView = dynamic_cast<cViewPortBase *>(frame);
    cSubMenuBase *popup = frameView ? frameView->CreatePopupMenu(u"ObjectRBtn", 0, 0) : nullptr;
    if (!popup) return RC_OK;
    rightClicked = PickRightClicked(*score, x, y);
    if (rightClicked) FillObjectPopup(*popup, *rightClicked);
    const int32_t clientX = int16_t(uint32_t(record.lParam) & 0xFFFF);
    const int32_t clientY = int16_t((uint32_t(record.lParam) >> 16) & 0xFFFF);
    frameView->TrackPopupMenu(clientX + kPopupOffset, clientY + kPopupOffset, this);
    return RC_OK;
}

tStatus MusicWin::OnKey(uint16_t key, sWinMessage &record) { return OnKey(key, &record); }

tStatus MusicWin::OnKey(uint16_t key, const sWinMessage *record) {
    rightClicked = nullptr;
    const uint32_t flags = record ? record->flags : 0;
    if (!(flags & kKeyFlagSpecial) && score) {
        // The block keys work on the current block mark (a Shift + drag);
        // without one they change nothing.
        switch (key) {
            case kKeyCopy:
                if (gCurrentBlockMark) cPObjBlockMark::CopyBlock(nullptr);
                EnablePaste();
                key = 0;
                break;
            case kKeyCut:
                if (gCurrentBlockMark) cPObjBlockMark::CutBlock(nullptr, 0);
                EnablePaste();
                key = 0;
                break;
            case kKeyPaste:
                if (gCurrentBlockMark && gBlockClipboard) cPObjBlockMark::PasteBlock(nullptr, nullptr, nullptr);
                key = 0;
                break;
            default: break;
        }
    }
    if (key != 0 && score) score->OnDocumentKey(int16_t(key));
    // Arrow keys may have moved the pointer.
    mouseX = GetMouseX();
    mouseY = GetMouseY();
    RepaintPendingArea(false);
    UpdateStatusText();
    // Undo is greyed at once, not at the next paint.
    if (key == kKeyUndo && gMainMenu && !(gPointUndo && gPointUndo->GetRecordCount() > 0))
        gMainMenu->DisableCommand(kCmdUndo);
    return RC_OK;
}

// The pointer follows the selection to the symbol's handle (selecting moves
// it there), so it needs no point of its own here.
cPObjPoint *MusicWin::SelectObjectOfType(int16_t classId) {
    if (!score) {
        rightClicked = nullptr;
        return nullptr;
    }
    score->ClearSelection(0, 0);
    cPObjPoint *symbol = TakeCurrentSymbol();
    if (symbol && symbol->GetTypeId() != classId) symbol = symbol->FindOwner(classId, 0);
    if (!symbol) return nullptr;
    symbol->Select();
    return symbol;
}

tStatus MusicWin::OnInputCommand(uint32_t id) {
    switch (id & kCommandIdMask & ~kWindowCommandBit) {
        case kCmdSelectStaff: SelectObjectOfType(ScoreObject::kStaffId); break;
        case kCmdSelectBrace: SelectObjectOfType(ScoreObject::kBraceId); break;
        default: return RC_FAIL;
    }
    RepaintPendingArea(false);
    return RC_OK;
}
