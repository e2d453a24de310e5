#include "ui/list_controls.h"

#include "foundation/char_string.h"
#include "foundation/string_array.h"
#include "foundation/text_util.h"

namespace {

constexpr uint32_t kListBoxStyle = 0x50A00003;   // child, visible, border, vertical bar, notify, sort
constexpr uint32_t kComboBoxStyle = 0x50200003;  // child, visible, vertical bar, drop-down list
constexpr uint32_t kSelectionChanged = 1;        // LBN_SELCHANGE and CBN_SELCHANGE

uint32_t Notification(const sWinMessage &record) { return record.key >> 16; }

}  // namespace

// ---- List box ---------------------------------------------------------------

cListBoxBase::cListBoxBase(cMessageDvcBase *ownerWindow, uint32_t controlId, const sListEntries &entries,
                           int32_t *bound, int32_t page)
    : cListBoxBase(ownerWindow, controlId, entries, bound, page, kListBoxStyle, u"LISTBOX") {}

cListBoxBase::cListBoxBase(cMessageDvcBase *ownerWindow, uint32_t controlId, const sListEntries &entries,
                           int32_t *bound, int32_t page, uint32_t style, const char16_t *keyword)
    : cGuiControl(ownerWindow, controlId, style, keyword),
      source(entries),
      pageSize(page > 0 ? page : 0),
      selection(bound ? bound : &ownSelection) {
    if (pageSize) first = *selection - *selection % pageSize;
}

const char16_t *const *cListBoxBase::Array() const { return source.indirect ? *source.indirect : source.array; }

int32_t cListBoxBase::EntryCount() const {
    if (const char16_t *const *array = Array()) {
        int32_t n = 0;
        while (array[n]) ++n;
        return n;
    }
    return source.list ? source.list->Size() : 0;
}

const char16_t *cListBoxBase::EntryAt(int32_t index) const {
    if (index < 0) return nullptr;
    if (const char16_t *const *array = Array()) {
        for (int32_t i = 0; i <= index; ++i)
            if (!array[i]) return nullptr;
        return array[index];
    }
    if (source.list && index < source.list->Size()) return (*source.list)[size_t(index)].c_str();
    return nullptr;
}

tStatus cListBoxBase::ShowPage(bool reload) {
    if (pageSize) first = *selection - *selection % pageSize;
    if (!IsUp()) return RC_OK;
    if (!Array() && (!source.list || source.list->empty())) return RC_OK;
    cGuiControl::PrepareDraw();
    if (!enabled) return RC_OK;
    if (reload || listRefresh) {
        ResetEntries();
        for (int32_t i = first; pageSize == 0 || i < first + pageSize; ++i) {
            const char16_t *entry = EntryAt(i);
            if (!entry) break;
            AddEntry(entry);
        }
        listRefresh = 0;
    }
    if (*selection != kNoSelection) SelectEntry(*selection - first);
    return RC_OK;
}

tStatus cListBoxBase::PrepareDraw() { return ShowPage(false); }

tStatus cListBoxBase::ReleaseDraw() {
    if (IsUp()) *selection = SelectedEntry() + first;
    return RC_OK;
}

tStatus cListBoxBase::OnCommand(sWinMessage &record) {
    if (Notification(record) != kSelectionChanged) return RC_FAIL;
    if (owner && owner->EditTranslation(this, record) >= 0) return RC_OK;
    ReleaseDraw();
    if (buddy) buddy->OnBuddyValue(*selection);
    if (owner) owner->CallEventHandler(id, kDialogEventSelect);
    return RC_OK;
}

tStatus cListBoxBase::LogState() {
    return WriteLogPart(KindName() + (u"<" + FormatUnsigned(id) + u">=") + FormatInt(*selection));
}

int32_t cListBoxBase::SetValueInt(int32_t value) {
    int32_t previous = *selection;
    *selection = value;
    PrepareDraw();
    return previous;
}

// The selection may name no entry at all (none chosen, kNoSelection, a page
// past the end): that is an empty text, never a read past the entries.
const char16_t *cListBoxBase::SelectedText() {
    const char16_t *entry = EntryAt(*selection);
    return TempString(entry ? entry : u"");
}

const char16_t *cListBoxBase::GetValueText() { return SelectedText(); }

const char16_t *cListBoxBase::SetValueText(const char16_t *text) {
    const char16_t *const *array = Array();
    int32_t found = -1;
    if (text && array) {
        for (int32_t i = 0; array[i]; ++i)
            if (CompareNoCase(array[i], text) == 0) {
                found = i;
                break;
            }
    } else if (text && source.list) {
        found = source.list->Find(text);
    }
    if (found >= 0) SetValueInt(found);
    return GetValueText();
}

cGuiControlBase *cListBoxBase::SetBuddy(cGuiControlBase *control) {
    if (control) ReleaseDraw();
    return cGuiControl::SetBuddy(control);
}

int32_t cListBoxBase::OnBuddyValue(int32_t value) {
    if (!pageSize) return SetValueInt(value);
    int32_t previous = *selection;
    first = *selection = value * pageSize;
    listRefresh = 1;
    PrepareDraw();
    return previous;
}

// ---- Combo box --------------------------------------------------------------

cComboBoxBase::cComboBoxBase(cMessageDvcBase *ownerWindow, uint32_t controlId, const sListEntries &entries,
                             int32_t *bound, int32_t page)
    : cListBoxBase(ownerWindow, controlId, entries, bound, page, kComboBoxStyle, u"COMBOBOX") {}

tStatus cComboBoxBase::PrepareDraw() { return ShowPage(true); }

tStatus cComboBoxBase::ReleaseDraw() {
    if (!IsUp()) return RC_OK;
    int32_t index = SelectedEntry();
    if (index >= 0) {
        edited = 0;
        editedText.clear();
        *selection = first + index;
    } else {
        editedText = ReadEditText();
        edited = 1;
    }
    return RC_OK;
}

tStatus cComboBoxBase::OnCommand(sWinMessage &record) {
    if (Notification(record) != kSelectionChanged) return RC_FAIL;
    edited = 0;
    return cListBoxBase::OnCommand(record);
}

const char16_t *cComboBoxBase::GetValueText() {
    if (edited) return TempStringOf(editedText);
    return SelectedText();
}
