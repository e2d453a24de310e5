#include "ui/view_help.h"

#include "foundation/char_string.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"
#include "platform/op_sys_base.h"
#include "ui/help_engine.h"
#include "ui/view_port_errors.h"

namespace {

bool EndsWithHlp(const std::u16string &file) {
    if (file.size() < 3) return false;
    const char16_t *tail = file.c_str() + file.size() - 3;
    return ToAsciiLower(tail[0]) == u'h' && ToAsciiLower(tail[1]) == u'l' && ToAsciiLower(tail[2]) == u'p';
}

}  // namespace

// ---- cViewHelpBase ----------------------------------------------------------

cViewHelpBase::cViewHelpBase() : cMessageDvc(nullptr, 0, 0, nullptr, 0) {
    if (gOpSys) helpFile = gOpSys->GetProgramPath();
    // Called while this base is being built, so every viewer starts with "hlp".
    SetExtension(helpFile, GetHelpExtension());
}

const char16_t *cViewHelpBase::SetHelpFile(const char16_t *path) {
    const char16_t *old = TempStringOf(helpFile);
    helpFile = path ? path : u"";
    if (!HasDirectory(helpFile) && gOpSys) {
        std::u16string folder = GetDirectory(gOpSys->GetProgramPath());
        SetDirectory(helpFile, folder.c_str());
    }
    return old;
}

tStatus cViewHelpBase::ShowTopic(cMessageDvcBase *window, uint32_t topic) {
    std::u16string file = helpFile;
    return ShowHelp(window, topic, file.c_str());
}

tStatus cViewHelpBase::ShowTopicId(cMessageDvcBase *window) { return ShowTopic(window, 0); }

const char16_t *cViewHelpBase::GetHelpExtension() { return u"hlp"; }

// ---- cViewHelp --------------------------------------------------------------

cViewHelp::cViewHelp() = default;

cViewHelp::~cViewHelp() { CloseHelp(); }

const char16_t *cViewHelp::GetHelpExtension() { return u"chm"; }

tStatus cViewHelp::ShowHelp(cMessageDvcBase *window, uint32_t topic, const char16_t *file) {
    std::u16string path = file ? file : u"";
    cHelpEngine &engine = GetHelpEngine();
    if (!gOpSys || (engine.NeedsHelpFile() && gOpSys->FileExists(path.c_str()) != 0)) {
        RaiseViewPortError(kViewPortNoHelpFile);
        return RC_FAIL;
    }
    if (EndsWithHlp(path)) {
        engine.WinHelp(path.c_str(), topic ? kHelpContext : kHelpFinder, topic);
    } else {
        if (!engine.IsHtmlHelpLoaded() && !engine.LoadHtmlHelp()) {
            RaiseViewPortError(kViewPortLoadLibrary);
            return RC_FAIL;
        }
        if (!engine.HasHtmlHelp()) {
            RaiseViewPortError(kViewPortCantRunHelp);
            return RC_FAIL;
        }
        engine.HtmlHelp(gOpSys->ToAnsiText(path.c_str()), topic ? kHtmlHelpContext : kHtmlHelpDisplayTopic, topic);
    }
    if (!owner) owner = window;
    return RC_OK;
}

tStatus cViewHelp::CloseHelp() {
    cHelpEngine &engine = GetHelpEngine();
    if (engine.IsHtmlHelpLoaded()) {
        if (engine.HasHtmlHelp()) engine.HtmlHelp(nullptr, kHtmlHelpCloseAll, 0);
    } else {
        engine.WinHelp(nullptr, kHelpQuit, 0);
    }
    owner = nullptr;
    return RC_OK;
}

void UnloadHtmlHelp() { GetHelpEngine().UnloadHtmlHelp(); }
