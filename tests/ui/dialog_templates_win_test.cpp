// The rules every dialog template of the program follows, checked on the
// templates as the resource compiler built them (styles included, so a
// default style that sorts a list would be caught):
// - OK, Cancel and Help are the buttons 1, 2 and 9, which the framework
//   adopts and whose translation keys every dialog shares;
// - translation keys name a control by id & 0x7FF, so no two controls of
//   one template share those bits;
// - list and combo boxes do not sort: their selection is an index into the
//   program's entries.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "foundation/win32_win.h"
#include "ui/dialog_box.h"

namespace {

struct sItem {
    uint32_t id = 0;
    uint32_t style = 0;
    uint16_t classAtom = 0;   // 0x80 button, 0x83 list box, 0x85 combo box ...
    std::u16string className;  // when the class is given by name
    std::u16string text;
    uint16_t textOrdinal = 0;  // a resource named by number (an icon's)
};

struct sTemplate {
    uint32_t id = 0;
    bool parsed = false;
    std::vector<sItem> items;
};

// Reads the template's words in order; every read is checked against the
// resource's size.
class cTemplateReader {
public:
    cTemplateReader(const uint8_t *data, size_t size) : bytes(data), end(size) {}
    bool Word(uint16_t &w) {
        if (at + 2 > end) return false;
        w = uint16_t(bytes[at] | bytes[at + 1] << 8);
        at += 2;
        return true;
    }
    bool Dword(uint32_t &d) {
        uint16_t lo = 0, hi = 0;
        if (!Word(lo) || !Word(hi)) return false;
        d = lo | uint32_t(hi) << 16;
        return true;
    }
    bool Skip(size_t n) {
        if (at + n > end) return false;
        at += n;
        return true;
    }
    bool AlignDword() { return Skip((4 - at % 4) % 4); }
    bool Text(std::u16string &text) {
        text.clear();
        for (uint16_t c = 0;;) {
            if (!Word(c)) return false;
            if (c == 0) return true;
            text.push_back(char16_t(c));
        }
    }
    // A text, an ordinal (0xFFFF and the number) or nothing (0).
    bool TextOrOrdinal(std::u16string &text, uint16_t &ordinal) {
        ordinal = 0;
        text.clear();
        uint16_t first = 0;
        if (!Word(first)) return false;
        if (first == 0) return true;
        if (first == 0xFFFF) return Word(ordinal);
        text.push_back(char16_t(first));
        std::u16string rest;
        if (!Text(rest)) return false;
        text += rest;
        return true;
    }

private:
    const uint8_t *bytes;
    size_t end;
    size_t at = 0;
};

constexpr uint32_t kSetFont = 0x40;     // DS_SETFONT
constexpr uint32_t kShellFont = 0x48;   // DS_SHELLFONT

// Both template forms: DIALOG and DIALOGEX.
bool ParseTemplate(const uint8_t *data, size_t size, std::vector<sItem> &items) {
    cTemplateReader r(data, size);
    uint16_t version = 0, signature = 0;
    if (!r.Word(version) || !r.Word(signature)) return false;
    const bool extended = version == 1 && signature == 0xFFFF;
    uint32_t style = 0, ignored = 0;
    uint16_t count = 0, ordinal = 0;
    std::u16string text;
    if (extended) {
        if (!r.Dword(ignored) || !r.Dword(ignored) || !r.Dword(style)) return false;
    } else {
        style = version | uint32_t(signature) << 16;
        if (!r.Dword(ignored)) return false;
    }
    if (!r.Word(count) || !r.Skip(8)) return false;
    if (!r.TextOrOrdinal(text, ordinal) || !r.TextOrOrdinal(text, ordinal) || !r.Text(text)) return false;
    if (style & (extended ? kShellFont : kSetFont)) {
        if (!r.Skip(extended ? 6 : 2) || !r.Text(text)) return false;
    }
    for (uint16_t i = 0; i < count; ++i) {
        sItem item;
        if (!r.AlignDword()) return false;
        if (extended) {
            if (!r.Dword(ignored) || !r.Dword(ignored) || !r.Dword(item.style) || !r.Skip(8) || !r.Dword(item.id))
                return false;
        } else {
            uint16_t id = 0;
            if (!r.Dword(item.style) || !r.Dword(ignored) || !r.Skip(8) || !r.Word(id)) return false;
            item.id = id;
        }
        if (!r.TextOrOrdinal(item.className, item.classAtom)) return false;
        if (!r.TextOrOrdinal(item.text, item.textOrdinal)) return false;
        uint16_t extra = 0;
        if (!r.Word(extra) || !r.Skip(extra)) return false;
        items.push_back(item);
    }
    return true;
}

// Class names compare without regard to ASCII case, as the system does.
bool SameNoCase(const std::u16string &a, const char16_t *b) {
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return i == a.size() && !b[i];
}

bool IsClass(const sItem &item, uint16_t atom, const char16_t *name) {
    return item.classAtom == atom || (!item.className.empty() && SameNoCase(item.className, name));
}

// The label as shown, without the mnemonic marks.
std::u16string Label(const std::u16string &text) {
    std::u16string out;
    for (char16_t c : text)
        if (c != u'&') out.push_back(c);
    return out;
}

// The one named exception: the welcome dialog's OK is button 2, which ends
// it as Cancel ends the others.
constexpr uint32_t kWelcomeDialogId = 1003;
bool IsWelcomeOk(uint32_t templateId, const sItem &item) {
    return templateId == kWelcomeDialogId && item.id == kDialogCancel && item.text == u"OK";
}

// What breaks the rules, one text per fault; empty when nothing does.
std::vector<std::string> RuleFaults(const std::vector<sItem> &items, uint32_t templateId = 0) {
    struct sShared {
        uint32_t id;
        const char16_t *label;
    };
    const sShared shared[] = {{kDialogOk, u"OK"}, {kDialogCancel, u"Cancel"}, {kDialogHelp, u"Help"}};
    std::vector<std::string> faults;
    std::set<uint32_t> keys;
    for (const sItem &item : items) {
        const std::string at = "item " + std::to_string(item.id);
        const bool button = IsClass(item, 0x80, u"Button");
        for (const sShared &s : shared) {
            if (IsWelcomeOk(templateId, item)) break;
            const bool labelled = button && Label(item.text) == s.label;
            if (labelled && item.id != s.id) faults.push_back(at + ": a shared button with another id");
            if (item.id == s.id && !labelled) faults.push_back(at + ": the id of a shared button on another item");
        }
        if (item.id != 0 && (item.id & 0xFFFF) != 0xFFFF && !keys.insert(item.id & kControlKeyMask).second)
            faults.push_back(at + ": shares its translation key");
        if (IsClass(item, 0x83, u"ListBox") && (item.style & 0x0002)) faults.push_back(at + ": a sorted list");
        if (IsClass(item, 0x85, u"ComboBox") && (item.style & 0x0100)) faults.push_back(at + ": a sorted combo box");
    }
    return faults;
}

BOOL CALLBACK CollectTemplate(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR found) {
    auto &templates = *reinterpret_cast<std::vector<sTemplate> *>(found);
    sTemplate t;
    t.id = IS_INTRESOURCE(name) ? uint32_t(reinterpret_cast<uintptr_t>(name)) : 0;
    HRSRC info = FindResourceW(module, name, type);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    const void *data = loaded ? LockResource(loaded) : nullptr;
    if (data) t.parsed = ParseTemplate(static_cast<const uint8_t *>(data), SizeofResource(module, info), t.items);
    templates.push_back(t);
    return TRUE;
}

TEST(DialogTemplates, TheRulesFindEachKindOfFault) {
    auto button = [](uint32_t id, const char16_t *text) {
        sItem item;
        item.id = id, item.classAtom = 0x80, item.text = text;
        return item;
    };
    auto box = [](uint32_t id, uint16_t atom, uint32_t style) {
        sItem item;
        item.id = id, item.classAtom = atom, item.style = style;
        return item;
    };
    const std::vector<sItem> good = {button(1, u"OK"), button(2, u"Cancel"), button(9, u"&Help"),
                                     box(101, 0x83, 0x00A00001), box(102, 0x85, 0x00200003), box(0xFFFF, 0x82, 0),
                                     box(0xFFFF, 0x82, 0)};
    EXPECT_TRUE(RuleFaults(good).empty());
    struct sCase {
        const char *what;
        std::vector<sItem> items;
    };
    sItem namedList = box(101, 0, 0x00A00003);
    namedList.className = u"LISTBOX";
    const sCase cases[] = {
        {"OK on id 3", {button(3, u"OK")}},
        {"id 2 labelled Close", {button(2, u"Close")}},
        {"label 0x6865 beside 101", {box(0x6865, 0x82, 0), box(101, 0x81, 0)}},
        {"sorted list", {box(101, 0x83, 0x00A00003)}},
        {"sorted list by class name", {namedList}},
        {"sorted combo box", {box(101, 0x85, 0x00200103)}},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RuleFaults(c.items).size(), 1u);
    }
    // The welcome dialog's OK on button 2 is allowed there only, and only
    // for that button.
    const std::vector<sItem> welcome = {button(2, u"OK"), button(101, u"Online Video")};
    EXPECT_TRUE(RuleFaults(welcome, kWelcomeDialogId).empty());
    EXPECT_EQ(RuleFaults(welcome, 28621).size(), 2u) << "id 2 is OK, and OK is not id 1";
    EXPECT_EQ(RuleFaults({button(3, u"OK")}, kWelcomeDialogId).size(), 1u);
}

TEST(DialogTemplates, EveryTemplateOfTheProgramFollowsTheRules) {
    std::vector<sTemplate> templates;
    EnumResourceNamesW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(5), CollectTemplate,
                       reinterpret_cast<LONG_PTR>(&templates));
    std::set<uint32_t> seen;
    for (const sTemplate &t : templates) {
        SCOPED_TRACE(t.id);
        seen.insert(t.id);
        ASSERT_TRUE(t.parsed);
        EXPECT_FALSE(t.items.empty());
        for (const std::string &fault : RuleFaults(t.items, t.id)) ADD_FAILURE() << fault;
    }
    // The framework's own templates are among those checked.
    for (uint32_t id : {kSelectLanguageDialogId, kTranslateDialogItemId, kTranslateToolHintId, kLanguageFileDialogId,
                        kTranslateMenuSelectionId, kWelcomeDialogId})
        EXPECT_EQ(seen.count(id), 1u) << id;
}

// The language dialogs show flags beside the two choices and a mark under
// each button; every icon they name is among the program's pictures.
TEST(DialogTemplates, TheLanguageDialogsShowTheirIcons) {
    struct sCase {
        uint32_t dialog;
        std::multiset<uint16_t> icons;
    };
    const sCase cases[] = {
        {kSelectLanguageDialogId, {28631, 28632, 28633, 28634, 28637, 28638, 28639}},
        {kLanguageFileDialogId, {28637, 28638, 28639}},
    };
    HMODULE module = GetModuleHandleW(nullptr);
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.dialog);
        HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(c.dialog), MAKEINTRESOURCEW(5));
        ASSERT_NE(info, nullptr);
        std::vector<sItem> items;
        ASSERT_TRUE(ParseTemplate(static_cast<const uint8_t *>(LockResource(LoadResource(module, info))),
                                  SizeofResource(module, info), items));
        std::multiset<uint16_t> shown;
        for (const sItem &item : items) {
            if (!IsClass(item, 0x82, u"Static") || (item.style & SS_TYPEMASK) != SS_ICON) continue;
            EXPECT_EQ(item.id & 0xFFFF, 0xFFFFu);  // never adopted, never greyed
            shown.insert(item.textOrdinal);
            EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(item.textOrdinal)), nullptr) << item.textOrdinal;
        }
        EXPECT_EQ(shown, c.icons);
    }
}

}  // namespace
