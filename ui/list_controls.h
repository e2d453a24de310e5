// Lists bound to a selection index: the list box and the combo box (a list
// shown as a drop-down).  Their entries come from a null-ended array of
// texts, from a pointer to such an array that may change between showings,
// or from a string array.  With a page size the list shows one page of the
// entries at a time; a buddy scroll bar turns the pages.  Lists never sort:
// the selection is an index into the entries.
#pragma once

#include <cstdint>
#include <string>

#include "ui/gui_control.h"

class cStringArray;

// Where a list takes its entries from; exactly one is given.
struct sListEntries {
    const char16_t *const *array = nullptr;
    const char16_t *const *const *indirect = nullptr;
    cStringArray *list = nullptr;
};

class cListBoxBase : public cGuiControl {
public:
    // A null selection binds the list to a selection of its own.
    cListBoxBase(cMessageDvcBase *owner, uint32_t id, const sListEntries &entries, int32_t *selection,
                 int32_t pageSize);

    // Loads the entries of the page (the first time and after a page
    // change) and selects the selection's entry.
    tStatus PrepareDraw() override;
    // The selection becomes the chosen entry's index (first - 1 for none).
    tStatus ReleaseDraw() override;
    // A selection change (notification 1) stores the selection, tells the
    // buddy and the event handler; other notifications answer RC_FAIL.
    tStatus OnCommand(sWinMessage &record) override;
    // "ListBox<id>=" and the selection.
    tStatus LogState() override;
    int32_t GetValueInt() override { return *selection; }
    int32_t SetValueInt(int32_t value) override;
    // The selected entry's text; empty when the selection names no entry.
    const char16_t *GetValueText() override;
    // Selects the entry equal to the text, ignoring case, when there is one.
    const char16_t *SetValueText(const char16_t *text) override;
    // The list stores its selection before it gets a buddy.
    cGuiControlBase *SetBuddy(cGuiControlBase *control) override;
    // With pages: shows page v and selects its first entry; without:
    // selects entry v.
    int32_t OnBuddyValue(int32_t value) override;

    int32_t GetFirstShown() const { return first; }
    int32_t GetPageSize() const { return pageSize; }
    // The entry at an index; null past the end or before the start.
    const char16_t *EntryAt(int32_t index) const;
    int32_t EntryCount() const;
    // The entry array as it stands now (through the indirect pointer when
    // there is one); null for a string-array list.
    const char16_t *const *Array() const;

protected:
    // The combo box's constructor: its own style and keyword.
    cListBoxBase(cMessageDvcBase *owner, uint32_t id, const sListEntries &entries, int32_t *selection,
                 int32_t pageSize, uint32_t style, const char16_t *keyword);

    // Loads the page into the window and selects the entry; `reload` forces
    // the load whatever the list-refresh flag says.
    tStatus ShowPage(bool reload);
    // The text of the selected entry, or an empty one.
    const char16_t *SelectedText();

    // The window-system side.
    virtual void ResetEntries() = 0;
    virtual void AddEntry(const char16_t *text) = 0;
    virtual void SelectEntry(int32_t index) = 0;
    // -1 when no entry is selected.
    virtual int32_t SelectedEntry() = 0;
    virtual const char16_t *KindName() const { return u"ListBox"; }

    sListEntries source;
    int32_t first = 0;
    int32_t pageSize;
    int32_t *selection;

private:
    int32_t ownSelection = 0;
};

class cListBox : public cListBoxBase {
public:
    using cListBoxBase::cListBoxBase;

protected:
    void ResetEntries() override;
    void AddEntry(const char16_t *text) override;
    void SelectEntry(int32_t index) override;
    int32_t SelectedEntry() override;
};

class cComboBoxBase : public cListBoxBase {
public:
    cComboBoxBase(cMessageDvcBase *owner, uint32_t id, const sListEntries &entries, int32_t *selection,
                  int32_t pageSize);

    // Reloads the entries every time.
    tStatus PrepareDraw() override;
    // With no entry chosen, the field's text (at most 78 characters) is kept
    // as the edited text and the selection stays.
    tStatus ReleaseDraw() override;
    tStatus OnCommand(sWinMessage &record) override;
    // The edited text while there is one, else the selected entry's.
    const char16_t *GetValueText() override;

    bool IsEdited() const { return edited != 0; }
    const std::u16string &GetEditedText() const { return editedText; }

protected:
    // The field's text, read with room for 79 characters and the end.
    virtual std::u16string ReadEditText() = 0;
    const char16_t *KindName() const override { return u"ComboBox"; }

    uint8_t edited = 0;
    std::u16string editedText;
};

class cComboBox : public cComboBoxBase {
public:
    using cComboBoxBase::cComboBoxBase;

protected:
    void ResetEntries() override;
    void AddEntry(const char16_t *text) override;
    void SelectEntry(int32_t index) override;
    int32_t SelectedEntry() override;
    std::u16string ReadEditText() override;
};
