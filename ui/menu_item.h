// The menu tree.  Every menu of the program (the frame's menu bar, each
// window's popup) is mirrored by a tree of menu items: greying, checking and
// relabelling go through the tree, which writes each change back into the
// window-system menu at once (cSubMenu).  Each node also carries the hint
// shown in the status bar and the key name under which its label and hint
// are stored in a language file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"

class cIniFile;
class cMenuItemBase;
class cSubMenuBase;
class cViewPortBase;
class cStatusBarBase;

// Commands of a window's own popup menu: a copy of a frame command with this
// bit added to its id.
constexpr uint32_t kWindowCommandBit = 0x4000;

// Flag bits of an item.
constexpr uint32_t kMenuDisabled = 1;
constexpr uint32_t kMenuChecked = 2;

// Translation modes.
constexpr int32_t kTranslateBegin = 0;
constexpr int32_t kTranslateEnd = 1;
constexpr int32_t kTranslateWrite = 2;
constexpr int32_t kTranslateRead = 3;

// The request of the language-file modes; ignored unless its size and kind
// are the ones below.
struct sTranslateRequest {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kKindLanguageFile = 1;
    uint32_t size = kSize;
    uint32_t kind = kKindLanguageFile;
    cIniFile *file = nullptr;
};

template <>
struct lcVectorPtrTraits<cMenuItemBase> : lcVectorPtrTraitsBase<cMenuItemBase> {
    static cMenuItemBase *FindByKey(cMenuItemBase &element, uint32_t id);
    // The broadcast carries the mode only: the modes that need a request go
    // through cSubMenuBase::Translate itself.
    static tStatus Command(cMenuItemBase &element, int32_t mode, int32_t);
};

class cMenuItemBase {
public:
    cMenuItemBase(uint32_t id, cSubMenuBase *parent, const char16_t *text, uint32_t flags);
    virtual ~cMenuItemBase();
    cMenuItemBase(const cMenuItemBase &) = delete;
    cMenuItemBase &operator=(const cMenuItemBase &) = delete;

    // Write this item into / read it back from the window-system menu
    // through the parent; RC_FAIL without a parent.
    virtual tStatus Install();
    virtual tStatus Reload();
    // Stores flags and text, clears the saved flags and derives the key name
    // when the item has none yet.
    virtual tStatus SetFlagsAndText(uint32_t newFlags, const char16_t *text);
    // A popup copy of a frame command.
    virtual tStatus CopyFrom(const cMenuItemBase &other);
    virtual cSubMenuBase *GetParent();
    // The node directly under the root that holds this item; null for the root.
    virtual cMenuItemBase *GetTopLevelMenu();
    virtual cMenuItemBase *GetRoot();
    virtual uint32_t GetId();
    virtual uint32_t GetFlags();
    virtual cMenuItemBase *FindById(uint32_t wanted);
    virtual bool IsEnabled();
    virtual tStatus Enable();
    virtual tStatus Disable();
    virtual bool IsChecked();
    virtual tStatus Check();
    virtual tStatus Uncheck();
    virtual uint32_t SaveFlagsAndEnable();
    virtual uint32_t RestoreEnable();
    virtual tStatus Translate(int32_t mode, const void *request);
    virtual tStatus SetText(const char16_t *text);
    // Replaces the label (up to its first TAB, without the blanks before it)
    // and keeps the shortcut tail; RC_FAIL for null.
    virtual tStatus SetLabel(const char16_t *text);
    virtual const char16_t *GetText();
    virtual const char16_t *GetPlainLabel();
    virtual const char16_t *GetLabel();
    virtual tStatus SetHint(const char16_t *text);
    // Leaves take list[index] and answer index + 1; index >= count is
    // answered unchanged.
    virtual int32_t TakeHintFromList(const char16_t *const *list, int32_t index, int32_t count);
    virtual tStatus SetKeyName(const char16_t *text);
    virtual int32_t TakeKeyNameFromList(const char16_t *const *list, int32_t index, int32_t count);
    virtual const char16_t *GetHint();
    virtual const char16_t *GetKeyName();
    // 1 without a parent.
    virtual tStatus EditTranslation();
    virtual tStatus ShowHint();
    virtual bool HasSameId(const cMenuItemBase &other) const;
    virtual bool HasLowerId(const cMenuItemBase &other) const;

    // Views of a display text: cut at the first TAB; the same without its
    // first '&'; the TAB and what follows.
    static std::u16string LabelOf(const std::u16string &text);
    static std::u16string PlainLabelOf(const std::u16string &text);
    static std::u16string ShortcutTailOf(const std::u16string &text);
    // Removes the blanks, upper-casing an ASCII letter that moves into a
    // removed blank's place.
    static std::u16string SquashBlanks(std::u16string key);

protected:
    // The item's own language-file entry (modes 2 and 3).
    void TranslateOwnEntry(int32_t mode, const void *request);

    uint32_t id;
    cSubMenuBase *parent;
    std::u16string hint;
    std::u16string keyName;
    std::u16string text;
    uint32_t savedFlags = 0;
    uint32_t flags = 0;
};

class cMenuItem : public cMenuItemBase {
public:
    using cMenuItemBase::cMenuItemBase;
    ~cMenuItem() override;
};

class cSubMenuBase : public cMenuItem {
public:
    cSubMenuBase(cViewPortBase *owner, uint32_t id, cSubMenuBase *parent);
    ~cSubMenuBase() override;

    tStatus Install() override = 0;
    tStatus Reload() override = 0;
    cMenuItemBase *FindById(uint32_t wanted) override;
    tStatus Translate(int32_t mode, const void *request) override;
    int32_t TakeHintFromList(const char16_t *const *list, int32_t index, int32_t count) override;
    int32_t TakeKeyNameFromList(const char16_t *const *list, int32_t index, int32_t count) override;

    virtual void DeleteAllItems();
    virtual int32_t GetItemCount();
    // Null for an index at or beyond the count.
    virtual cMenuItemBase *GetItem(int32_t index);
    virtual bool IsCommandEnabled(uint32_t wanted);
    virtual tStatus EnableCommand(uint32_t wanted);
    virtual tStatus DisableCommand(uint32_t wanted);
    virtual bool IsCommandChecked(uint32_t wanted);
    virtual tStatus CheckCommand(uint32_t wanted);
    virtual tStatus UncheckCommand(uint32_t wanted);
    virtual tStatus SetCommandText(uint32_t wanted, const char16_t *newText);
    virtual const char16_t *GetCommandText(uint32_t wanted);
    virtual const char16_t *GetCommandPlainLabel(uint32_t wanted);
    virtual const char16_t *GetCommandLabel(uint32_t wanted);
    // The descendant's key name, or the id in decimal when none has it.
    virtual const char16_t *GetCommandKeyName(uint32_t wanted);
    virtual tStatus EditCommandTranslation(uint32_t wanted);
    virtual tStatus EditItemTranslation(cMenuItemBase *item) = 0;
    virtual int32_t IndexOfItem(const cMenuItemBase *item);
    virtual cMenuItemBase *AddItem(const char16_t *newText, uint32_t newId, uint32_t newFlags);
    virtual cMenuItemBase *AddItemFrom(cMenuItemBase *item);
    virtual tStatus InstallPopup();
    virtual cMenuItemBase *AddCommand(uint32_t newId, const char16_t *newText, const char16_t *newHint,
                                      const char16_t *newKeyName);
    // Removes the direct child with the id, and its entry in the window
    // system's menu; RC_FAIL when no child has it.
    virtual tStatus DeleteCommand(uint32_t wanted);
    virtual tStatus WriteTranslations(cIniFile *languageFile);
    virtual tStatus ReadTranslations(cIniFile *languageFile);
    virtual tStatus ShowCommandHint(uint32_t wanted);
    virtual tStatus Attach(cViewPortBase *newOwner, const char16_t *newText, uint32_t newId, uint32_t newFlags);
    virtual tStatus LoadFromHandle() = 0;
    virtual tStatus InstallItem(cMenuItemBase *item) = 0;
    virtual tStatus ReloadItem(cMenuItemBase *item) = 0;
    virtual cStatusBarBase *GetStatusBar();

    cViewPortBase *GetOwner() const { return owner; }

protected:
    // This node when it has the id, else the descendant that has it.
    cMenuItemBase *FindCommand(uint32_t wanted);

    lcVectorPtrKey<cMenuItemBase, uint32_t> children;
    cViewPortBase *owner;
};

// The frame window's menu; null until a window loads a menu resource.
extern cSubMenuBase *gMainMenu;
// The one owner of the frame menu: installs the new one (null: none) as
// gMainMenu and deletes the one it owned before.
void SetMainMenu(std::unique_ptr<cSubMenuBase> menu);
