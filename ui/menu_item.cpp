#include "ui/menu_item.h"

#include <vector>

#include "foundation/char_string.h"
#include "foundation/text_util.h"
#include "platform/ini_file.h"
#include "ui/status_bar.h"
#include "ui/view_port.h"

cSubMenuBase *gMainMenu = nullptr;

namespace {
std::unique_ptr<cSubMenuBase> gOwnedMainMenu;
}

void SetMainMenu(std::unique_ptr<cSubMenuBase> menu) {
    std::unique_ptr<cSubMenuBase> previous = std::move(gOwnedMainMenu);
    gOwnedMainMenu = std::move(menu);
    gMainMenu = gOwnedMainMenu.get();
    // Deleted once it is no longer the main menu: its destructor leaves
    // gMainMenu alone.
    previous.reset();
}

cMenuItemBase *lcVectorPtrTraits<cMenuItemBase>::FindByKey(cMenuItemBase &element, uint32_t id) {
    return element.FindById(id);
}

tStatus lcVectorPtrTraits<cMenuItemBase>::Command(cMenuItemBase &element, int32_t mode, int32_t) {
    return element.Translate(mode, nullptr);
}

// ---- cMenuItemBase ----

cMenuItemBase::cMenuItemBase(uint32_t itemId, cSubMenuBase *itemParent, const char16_t *itemText, uint32_t itemFlags)
    : id(itemId), parent(itemParent), flags(itemFlags) {
    if (itemText) text = itemText;
}

cMenuItemBase::~cMenuItemBase() = default;

tStatus cMenuItemBase::Install() { return parent ? parent->InstallItem(this) : RC_FAIL; }

tStatus cMenuItemBase::Reload() { return parent ? parent->ReloadItem(this) : RC_FAIL; }

std::u16string cMenuItemBase::LabelOf(const std::u16string &s) {
    size_t tab = s.find(u'\t');
    return tab == std::u16string::npos ? s : s.substr(0, tab);
}

std::u16string cMenuItemBase::PlainLabelOf(const std::u16string &s) {
    std::u16string label = LabelOf(s);
    size_t amp = label.find(u'&');
    if (amp != std::u16string::npos) label.erase(amp, 1);
    return label;
}

std::u16string cMenuItemBase::ShortcutTailOf(const std::u16string &s) {
    size_t tab = s.find(u'\t');
    return tab == std::u16string::npos ? std::u16string() : s.substr(tab);
}

std::u16string cMenuItemBase::SquashBlanks(std::u16string key) {
    for (size_t pos = key.find(u' '); pos != std::u16string::npos; pos = key.find(u' ')) {
        key.erase(pos, 1);
        if (pos < key.size() && key[pos] >= u'a' && key[pos] <= u'z') key[pos] = char16_t(key[pos] - u'a' + u'A');
    }
    return key;
}

tStatus cMenuItemBase::SetFlagsAndText(uint32_t newFlags, const char16_t *newText) {
    flags = newFlags;
    text = newText ? newText : u"";
    savedFlags = 0;
    if (!keyName.empty()) return RC_OK;
    cMenuItemBase *top = GetTopLevelMenu();
    if (!top) {
        keyName = PlainLabelOf(text);
        return RC_OK;
    }
    std::u16string key = PlainLabelOf(top->text);
    if (top != this) key += u"/" + PlainLabelOf(text);
    keyName = SquashBlanks(std::move(key));
    return RC_OK;
}

tStatus cMenuItemBase::CopyFrom(const cMenuItemBase &other) {
    id = other.id | kWindowCommandBit;
    hint = other.hint;
    keyName = other.keyName;
    text = PlainLabelOf(other.text);
    return RC_OK;
}

cSubMenuBase *cMenuItemBase::GetParent() { return parent; }

cMenuItemBase *cMenuItemBase::GetTopLevelMenu() {
    if (!parent) return nullptr;
    cMenuItemBase *node = this;
    while (node->parent && node->parent->parent) node = node->parent;
    return node;
}

cMenuItemBase *cMenuItemBase::GetRoot() {
    cMenuItemBase *node = this;
    while (node->parent) node = node->parent;
    return node;
}

uint32_t cMenuItemBase::GetId() { return id; }
uint32_t cMenuItemBase::GetFlags() { return flags; }

cMenuItemBase *cMenuItemBase::FindById(uint32_t wanted) { return id == wanted ? this : nullptr; }

bool cMenuItemBase::IsEnabled() { return (flags & kMenuDisabled) == 0; }

tStatus cMenuItemBase::Enable() {
    flags &= ~kMenuDisabled;
    return Install();
}

tStatus cMenuItemBase::Disable() {
    flags |= kMenuDisabled;
    return Install();
}

bool cMenuItemBase::IsChecked() { return (flags & kMenuChecked) != 0; }

tStatus cMenuItemBase::Check() {
    flags |= kMenuChecked;
    return Install();
}

tStatus cMenuItemBase::Uncheck() {
    flags &= ~kMenuChecked;
    return Install();
}

uint32_t cMenuItemBase::SaveFlagsAndEnable() {
    savedFlags = flags;
    flags &= ~kMenuDisabled;
    Install();
    return savedFlags;
}

uint32_t cMenuItemBase::RestoreEnable() {
    flags = (flags & ~kMenuDisabled) | (savedFlags & kMenuDisabled);
    Install();
    return savedFlags;
}

void cMenuItemBase::TranslateOwnEntry(int32_t mode, const void *request) {
    if (mode != kTranslateWrite && mode != kTranslateRead) return;
    auto *req = static_cast<const sTranslateRequest *>(request);
    if (!req || req->size != sTranslateRequest::kSize || req->kind != sTranslateRequest::kKindLanguageFile ||
        !req->file)
        return;
    std::u16string base = std::u16string(GetRoot()->GetKeyName()) + u"_" + keyName;
    std::u16string textKey = base + u"_Text";
    std::u16string hintKey = base + u"_Hint";
    if (mode == kTranslateWrite) {
        req->file->SetOrRemove(textKey.c_str(), LabelOf(text).c_str());
        req->file->SetOrRemove(hintKey.c_str(), hint.c_str());
        return;
    }
    // Copy the values first: SetLabel re-installs the item, and the file's
    // strings must not be read after anything else touches it.
    if (const char16_t *value = req->file->GetValue(textKey.c_str())) {
        std::u16string label = value;
        SetLabel(label.c_str());
    }
    if (const char16_t *value = req->file->GetValue(hintKey.c_str())) {
        std::u16string newHint = value;
        SetHint(newHint.c_str());
    }
}

tStatus cMenuItemBase::Translate(int32_t mode, const void *request) {
    switch (mode) {
    case kTranslateBegin: SaveFlagsAndEnable(); break;
    case kTranslateEnd: RestoreEnable(); break;
    case kTranslateWrite:
    case kTranslateRead: TranslateOwnEntry(mode, request); break;
    default: break;
    }
    return RC_OK;
}

tStatus cMenuItemBase::SetText(const char16_t *newText) {
    text = newText ? newText : u"";
    return Install();
}

tStatus cMenuItemBase::SetLabel(const char16_t *label) {
    if (!label) return RC_FAIL;
    // A label that brings a tab of its own (a translator copied the whole
    // text) is cut there, with the blanks before it: the item's shortcut
    // follows it once, however often the label is set, and the label is
    // what a language file keeps of it (the file trims its values).
    std::u16string own = label;
    size_t tab = own.find(u'\t');
    if (tab != std::u16string::npos) {
        while (tab > 0 && own[tab - 1] == u' ') --tab;
        own.resize(tab);
    }
    text = own + ShortcutTailOf(text);
    return Install();
}

const char16_t *cMenuItemBase::GetText() { return TempStringOf(text); }
const char16_t *cMenuItemBase::GetPlainLabel() { return TempStringOf(PlainLabelOf(text)); }
const char16_t *cMenuItemBase::GetLabel() { return TempStringOf(LabelOf(text)); }

tStatus cMenuItemBase::SetHint(const char16_t *newHint) {
    if (newHint) hint = newHint;
    return RC_OK;
}

int32_t cMenuItemBase::TakeHintFromList(const char16_t *const *list, int32_t index, int32_t count) {
    if (!list || index >= count) return index;
    SetHint(list[index]);
    return index + 1;
}

tStatus cMenuItemBase::SetKeyName(const char16_t *newKey) {
    if (newKey) keyName = newKey;
    return RC_OK;
}

int32_t cMenuItemBase::TakeKeyNameFromList(const char16_t *const *list, int32_t index, int32_t count) {
    if (!list || index >= count) return index;
    SetKeyName(list[index]);
    return index + 1;
}

const char16_t *cMenuItemBase::GetHint() { return hint.c_str(); }
const char16_t *cMenuItemBase::GetKeyName() { return keyName.c_str(); }

tStatus cMenuItemBase::EditTranslation() { return parent ? parent->EditItemTranslation(this) : 1; }

tStatus cMenuItemBase::ShowHint() {
    cStatusBarBase *bar = parent ? parent->GetStatusBar() : nullptr;
    if (bar) bar->SetHelpText(IsEnabled() ? hint.c_str() : u"");
    return RC_OK;
}

bool cMenuItemBase::HasSameId(const cMenuItemBase &other) const { return id == other.id; }
bool cMenuItemBase::HasLowerId(const cMenuItemBase &other) const { return id < other.id; }

cMenuItem::~cMenuItem() = default;

// ---- cSubMenuBase ----

cSubMenuBase::cSubMenuBase(cViewPortBase *menuOwner, uint32_t menuId, cSubMenuBase *menuParent)
    : cMenuItem(menuId, menuParent, nullptr, 0), owner(menuOwner) {}

cSubMenuBase::~cSubMenuBase() {
    if (gMainMenu == this) gMainMenu = nullptr;
}

cMenuItemBase *cSubMenuBase::FindById(uint32_t wanted) {
    if (id == wanted) return this;
    return children.FindByKey(wanted);
}

cMenuItemBase *cSubMenuBase::FindCommand(uint32_t wanted) { return FindById(wanted); }

tStatus cSubMenuBase::Translate(int32_t mode, const void *request) {
    TranslateOwnEntry(mode, request);
    // Over a snapshot: an item's translation may rebuild the children; one
    // taken out meanwhile is not called.
    const std::vector<cMenuItemBase *> snapshot(children.begin(), children.end());
    tStatus result = RC_OK;
    for (cMenuItemBase *child : snapshot) {
        if (!child || !children.Find(child)) continue;
        tStatus status = child->Translate(mode, request);
        if (status < result) result = status;
    }
    return result;
}

int32_t cSubMenuBase::TakeHintFromList(const char16_t *const *list, int32_t index, int32_t count) {
    for (cMenuItemBase *child : children)
        if (child) index = child->TakeHintFromList(list, index, count);
    return index;
}

int32_t cSubMenuBase::TakeKeyNameFromList(const char16_t *const *list, int32_t index, int32_t count) {
    index = cMenuItemBase::TakeKeyNameFromList(list, index, count);
    for (cMenuItemBase *child : children)
        if (child) index = child->TakeKeyNameFromList(list, index, count);
    return index;
}

void cSubMenuBase::DeleteAllItems() { children.DeleteAll(); }

int32_t cSubMenuBase::GetItemCount() { return int32_t(children.size()); }

cMenuItemBase *cSubMenuBase::GetItem(int32_t index) {
    return uint32_t(index) < children.size() ? children[size_t(index)] : nullptr;
}

bool cSubMenuBase::IsCommandEnabled(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item && item->IsEnabled();
}

tStatus cSubMenuBase::EnableCommand(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->Enable() : RC_OK;
}

tStatus cSubMenuBase::DisableCommand(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->Disable() : RC_OK;
}

bool cSubMenuBase::IsCommandChecked(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item && item->IsChecked();
}

tStatus cSubMenuBase::CheckCommand(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->Check() : RC_OK;
}

tStatus cSubMenuBase::UncheckCommand(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->Uncheck() : RC_OK;
}

tStatus cSubMenuBase::SetCommandText(uint32_t wanted, const char16_t *newText) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->SetText(newText) : RC_FAIL;
}

const char16_t *cSubMenuBase::GetCommandText(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->GetText() : nullptr;
}

const char16_t *cSubMenuBase::GetCommandPlainLabel(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->GetPlainLabel() : nullptr;
}

const char16_t *cSubMenuBase::GetCommandLabel(uint32_t wanted) {
    cMenuItemBase *item = FindCommand(wanted);
    return item ? item->GetLabel() : nullptr;
}

const char16_t *cSubMenuBase::GetCommandKeyName(uint32_t wanted) {
    if (cMenuItemBase *item = children.FindByKey(wanted)) return TempString(item->GetKeyName());
    return TempStringOf(FormatUnsigned(wanted));
}

tStatus cSubMenuBase::EditCommandTranslation(uint32_t wanted) {
    cMenuItemBase *item = children.FindByKey(wanted);
    return item ? item->EditTranslation() : 1;
}

int32_t cSubMenuBase::IndexOfItem(const cMenuItemBase *item) {
    for (size_t i = 0; i < children.size(); ++i)
        if (children[i] == item) return int32_t(i);
    return -1;
}

cMenuItemBase *cSubMenuBase::AddItem(const char16_t *newText, uint32_t newId, uint32_t newFlags) {
    auto *item = new cMenuItem(newId, this, newText, newFlags);
    children.push_back(item);
    cMenuItemBase *frameItem = gMainMenu ? gMainMenu->FindById(newId & ~kWindowCommandBit) : nullptr;
    if (frameItem) {
        item->SetHint(frameItem->GetHint());
        cMenuItemBase *top = GetTopLevelMenu();
        std::u16string key = (top ? top : this)->GetKeyName();
        key += frameItem->GetKeyName();
        item->SetKeyName(key.c_str());
    } else {
        item->SetKeyName(newText ? newText : u"");
    }
    return item;
}

cMenuItemBase *cSubMenuBase::AddItemFrom(cMenuItemBase *item) {
    if (!item) return nullptr;
    std::u16string label = item->GetPlainLabel();
    return AddItem(label.c_str(), item->GetId() + kWindowCommandBit, item->GetFlags());
}

tStatus cSubMenuBase::InstallPopup() { return RC_FAIL; }

cMenuItemBase *cSubMenuBase::AddCommand(uint32_t newId, const char16_t *newText, const char16_t *newHint,
                                        const char16_t *newKeyName) {
    auto *item = new cMenuItem(newId, this, newText, 0);
    item->SetHint(newHint);
    item->SetKeyName(newKeyName);
    children.push_back(item);
    return item;
}

tStatus cSubMenuBase::WriteTranslations(cIniFile *languageFile) {
    sTranslateRequest request;
    request.file = languageFile;
    return Translate(kTranslateWrite, &request);
}

tStatus cSubMenuBase::ReadTranslations(cIniFile *languageFile) {
    sTranslateRequest request;
    request.file = languageFile;
    return Translate(kTranslateRead, &request);
}

tStatus cSubMenuBase::DeleteCommand(uint32_t wanted) {
    for (cMenuItemBase *child : children) {
        if (!child || child->GetId() != wanted) continue;
        children.Delete(child);
        return RC_OK;
    }
    return RC_FAIL;
}

tStatus cSubMenuBase::ShowCommandHint(uint32_t wanted) {
    if (cMenuItemBase *item = children.FindByKey(wanted)) return item->ShowHint();
    if (cStatusBarBase *bar = GetStatusBar()) bar->SetHelpText(u"");
    return RC_FAIL;
}

tStatus cSubMenuBase::Attach(cViewPortBase *newOwner, const char16_t *newText, uint32_t newId, uint32_t newFlags) {
    owner = newOwner;
    id = newId;
    return SetFlagsAndText(newFlags, newText);
}

cStatusBarBase *cSubMenuBase::GetStatusBar() {
    if (!owner) return nullptr;
    return dynamic_cast<cStatusBarBase *>(owner->GetStatusBar());
}
