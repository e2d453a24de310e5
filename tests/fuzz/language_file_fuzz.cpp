// Fuzz target of the language file, through the program's own loading path:
// the input is loaded as a language file by the system object and its texts
// go into a main menu built like the program's.  Loading the same file again
// must leave every text of the menu as the first load left it, and so must
// loading the file that writing the translations back makes (unless the file
// has a section without a name: its tag line is written without the name and
// reads back as no tag, so its keys join the top level, as the format has
// it).  Nothing may read outside a buffer, recurse without end or hang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/translate_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/test_menu.h"
#include "ui/language_dialogs.h"

namespace {

std::vector<test::cTestMenu::sInstall> gInstalls;

// A frame menu of the program's shape: labels with and without shortcuts,
// a sub-menu two levels down.
test::cTestMenu *MakeMenu() {
    auto *root = new test::cTestMenu(nullptr, 1, nullptr, &gInstalls);
    root->SetFlagsAndText(0, u"Menu");
    test::cTestMenu *file = root->Sub(u"&File", 100);
    file->Leaf(u"&New\t^N", 101)->SetHint(u"Makes a new score");
    file->Leaf(u"&Open...\t^O", 102);
    file->Leaf(u"Save as", 103);
    test::cTestMenu *edit = root->Sub(u"&Edit", 200);
    edit->Leaf(u"&Copy\t^C", 201, kMenuDisabled);
    test::cTestMenu *language = root->Sub(u"Setup", 300)->Sub(u"Language", 310);
    language->Leaf(u"Load Language", 311);
    return root;
}

void Collect(cMenuItemBase &item, std::u16string &texts) {
    texts += item.GetText();
    texts += u'|';
    texts += item.GetHint();
    texts += u'\n';
    if (auto *menu = dynamic_cast<cSubMenuBase *>(&item))
        for (int32_t i = 0; i < menu->GetItemCount(); ++i) Collect(*menu->GetItem(i), texts);
}

bool HasUnnamedSection(const cIniFile &file) {
    for (const cIniFile *child : file.Children())
        if (child->GetName().empty() || HasUnnamedSection(*child)) return true;
    return false;
}

std::u16string MenuTexts() {
    std::u16string texts;
    if (gMainMenu) Collect(*gMainMenu, texts);
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    cOpSysVirtual &sys = fuzz::System();
    static bool installed = (InstallLanguageDialogs(), true);
    (void)installed;
    SetMainMenu(std::unique_ptr<cSubMenuBase>(MakeMenu()));
    gInstalls.clear();

    const std::u16string input =
        fuzz::WriteInput(u"Deutsch.PmrLang", std::string(reinterpret_cast<const char *>(data), size));
    if (sys.LoadLanguageFile(input.c_str()) < 0) return 0;
    const std::u16string loaded = MenuTexts();
    if (sys.LoadLanguageFile(input.c_str()) < 0 || MenuTexts() != loaded) std::abort();

    const std::u16string written = fuzz::Folder() + u"Written.PmrLang";
    if (sys.WriteLanguageFile(written.c_str()) != RC_OK) std::abort();
    const bool keepsSections = !HasUnnamedSection(sys.GetTranslateFile());
    if (sys.LoadLanguageFile(written.c_str()) < 0 || (keepsSections && MenuTexts() != loaded)) std::abort();
    return 0;
}
