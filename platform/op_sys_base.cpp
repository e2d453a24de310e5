#include "platform/op_sys_base.h"

#include <algorithm>

#include "foundation/char_string.h"
#include "foundation/escaped_text.h"
#include "foundation/path_names.h"
#include "foundation/text_util.h"
#include "foundation/time_stamp.h"
#include "platform/crash_report.h"
#include "platform/language_names.h"
#include "platform/version_word.h"
#include "platform/window_layer.h"

cOpSysBase *gOpSys = nullptr;

namespace {
cWindowLayer *gWindowLayer = nullptr;
}

cWindowLayer *SetWindowLayer(cWindowLayer *layer) {
    cWindowLayer *previous = gWindowLayer;
    gWindowLayer = layer;
    return previous;
}

cWindowLayer *GetWindowLayer() { return gWindowLayer; }


PELMORA_ERROR_TABLE(kOpSysErrors, u"OpSys",
    u"Access Violation", u"Breakpoint", u"Datatype misalignment", u"Single step",
    u"Array bounds exceeded", u"Flt denormal operand", u"Flt divide by zero", u"Flt inexact result",
    u"Flt invalid operation", u"Flt overflow", u"Flt stack check", u"Flt underflow",
    u"Int divide by zero", u"Int overflow", u"Priv instruction", u"Noncontinuable exception",
    u"Illegal instruction", u"Page Error", u"Invalid Disposition", u"Stack Overflow",
    u"Unknown exception", u"Can't find setup folder. Try reinstalling.");

void RaiseOpSysError(uint32_t index) { RaiseError(&kOpSysErrors, index | ERR_REPORT); }

cOpSysBase::cOpSysBase(const char16_t *cmd) {
    // The lower layers reach whichever object is the program's at the time.
    SetSystemLookup([]() -> cSystemServices * { return gOpSys; });
    commandLine = cmd ? cmd : u"";
    currentFile = commandLine;
    errorMode = 3;
    programPath = u".\\";
    workingFolder = u".\\";
    desktop.SetEdges(0, 0, 639, 479);
    // The reporter registers itself as gErrorMsg; it is deleted through
    // DeleteErrorMsg when this object goes.  When a reporter exists already
    // the new one is not registered: it is dropped at once, and this object
    // leaves the registered one to its owner.
    cErrorMsg *reporter = new cErrorMsg();
    if (gErrorMsg == reporter)
        ownReporter = reporter;
    else
        delete reporter;
}

cOpSysBase::~cOpSysBase() {
    DeleteHelpViewer();
    ShowKeyMouseHelp(nullptr, nullptr);
    if (ownReporter && gErrorMsg == ownReporter) DeleteErrorMsg();
    delete ansiBuffer;
    // The fonts go last: no device is left to use them.
    if (gWindowLayer) gWindowLayer->ReleaseFonts();
    if (gOpSys == this) gOpSys = nullptr;
}

void cOpSysBase::MakeHelpViewer() {
    if (!helpViewer && gWindowLayer) helpViewer = gWindowLayer->NewHelpViewer();
}

void cOpSysBase::DeleteHelpViewer() {
    if (helpViewer && gWindowLayer) gWindowLayer->DeleteHelpViewer(helpViewer);
    helpViewer = nullptr;
}

uint32_t cOpSysBase::SetErrorMode(uint32_t mode) {
    uint32_t previous = errorMode;
    errorMode = mode;
    return previous;
}

const char16_t *cOpSysBase::GetErrorText(uint32_t code) {
    cCharString text(u"Error ");
    text.AppendUnsigned(code);
    return TempStringOf(text);
}

tStatus cOpSysBase::ShowError(uint32_t code, const char16_t *context) {
    if (errorMode & 1) {
        cCharString caption(context ? context : u"Error");
        caption.append(u" code ");
        caption.AppendUnsigned(code);
        std::u16string text = GetErrorText(code);
        MessageBox(text.c_str(), caption.c_str(), 0x40 /* information icon, OK */);
    }
    if (errorMode & 2) {
        cCharString line(u"Error: ");
        if (context) {
            line.append(context);
            line.push_back(u' ');
        }
        line.append(u"code ");
        line.AppendUnsigned(code);
        line.append(u" - ");
        line.append(GetErrorText(code));
        log.WriteString(line, 1);
    }
    return RC_OK;
}

const char16_t *cOpSysBase::GetErrorReportPath() { return TempConcat(GetDataFolder(), u"ErrorReport.txt"); }

const char16_t *cOpSysBase::GetProgramPath() { return TempStringOf(programPath); }

int32_t cOpSysBase::RunMessageLoop(cViewPortTop *window) {
    mainWindow = window;
    return 0;
}

cViewPortTop *cOpSysBase::SetMainWindow(cViewPortTop *window) {
    cViewPortTop *previous = mainWindow;
    mainWindow = window;
    keyMouseWindow = nullptr;
    return previous;
}

cKeyMouseWin *cOpSysBase::ShowKeyMouseHelp(cMessageDvcBase *parent, const char16_t *title) {
    if (!parent) {
        // Forgotten before it goes, so that nothing feeds it while it is
        // being deleted.
        cKeyMouseWin *window = keyMouseWindow;
        keyMouseWindow = nullptr;
        if (window && gWindowLayer) gWindowLayer->DeleteKeyMouseWindow(window);
        return nullptr;
    }
    if (!keyMouseWindow && gWindowLayer) keyMouseWindow = gWindowLayer->OpenKeyMouseWindow(parent, title);
    return keyMouseWindow;
}

// A window exists only while the window layer is installed.
uint8_t cOpSysBase::KeyMouseSetLeftButton(uint8_t value) {
    return keyMouseWindow ? gWindowLayer->SetKeyMouseState(keyMouseWindow, cWindowLayer::kLeftButton, value) : 0;
}

uint8_t cOpSysBase::KeyMouseSetRightButton(uint8_t value) {
    return keyMouseWindow ? gWindowLayer->SetKeyMouseState(keyMouseWindow, cWindowLayer::kRightButton, value) : 0;
}

uint8_t cOpSysBase::KeyMouseSetShift(uint8_t value) {
    return keyMouseWindow ? gWindowLayer->SetKeyMouseState(keyMouseWindow, cWindowLayer::kShift, value) : 0;
}

const char16_t *cOpSysBase::KeyMouseSetKeyText(const char16_t *text) {
    return keyMouseWindow ? gWindowLayer->SetKeyMouseText(keyMouseWindow, text) : nullptr;
}

int32_t cOpSysBase::MessageBox(const char16_t *text, const char16_t *caption, uint32_t type) {
    if (boxAnswers.empty()) return ShowMessageBox(text, caption, type);
    cCharString line(u"Box: ");
    line.append(caption ? caption : u"");
    line.append(u": ");
    line.append(text ? text : u"");
    log.WriteString(line, 1);
    int32_t answer = boxAnswers.front();
    if (boxAnswers.size() > 1) boxAnswers.pop_front();
    return answer;
}

void cOpSysBase::SetScriptedBoxAnswer(int32_t answer) {
    SetScriptedBoxAnswers(answer ? std::vector<int32_t>{answer} : std::vector<int32_t>{});
}

void cOpSysBase::SetScriptedBoxAnswers(std::vector<int32_t> answers) {
    // A 0 would stand for "shown" in the middle of a script: the script
    // ends before it.
    auto zero = std::find(answers.begin(), answers.end(), 0);
    boxAnswers.assign(answers.begin(), zero);
}

void cOpSysBase::SetScriptedFileAnswers(std::vector<std::u16string> answers) {
    fileAnswers.assign(answers.begin(), answers.end());
    fileAnswersScripted = !answers.empty();
}

bool cOpSysBase::TakeScriptedFileAnswer(const char16_t *kind, std::u16string &path) {
    if (fileAnswers.empty()) {
        // A script that ran out is a test that asked for more dialogs than
        // it expected: logged, so that the test sees why a dialog showed.
        if (fileAnswersScripted) log.WriteString(u"File dialog: " + std::u16string(kind) + u": not scripted", 1);
        return false;
    }
    path = fileAnswers.front();
    fileAnswers.pop_front();
    log.WriteString(u"File dialog: " + std::u16string(kind) + u": " + (path.empty() ? u"Cancel" : path), 1);
    return true;
}

const char *cOpSysBase::KeepAnsi(std::string &&bytes) {
    delete ansiBuffer;
    ansiBuffer = new std::string(std::move(bytes));
    return ansiBuffer->c_str();
}



uint32_t cOpSysBase::GetTextByteSize(const char16_t *text) { return 2 * TextLength(text); }

const char16_t *cOpSysBase::SetWorkingFolder(const char16_t *path) {
    const char16_t *previous = TempStringOf(workingFolder);
    workingFolder = path ? GetDirectory(path) : u".\\";
    return previous;
}

const char16_t *cOpSysBase::SetCurrentFile(const char16_t *path) {
    const char16_t *previous = TempStringOf(currentFile);
    currentFile = path ? path : u"";
    return previous;
}

tStatus cOpSysBase::MoveToBackup(const char16_t *path) {
    if (!path || FileExists(path) != RC_OK) return RC_FAIL;
    std::u16string original = path;
    // A backup of a backup would be itself: keep the only copy.
    if (HasExtension(original, u"bak") == RC_OK) return RC_FAIL;
    std::u16string backup = original;
    SetExtension(backup, u"bak");
    if (CopyFile(backup.c_str(), original.c_str(), 1) != RC_OK) return RC_FAIL;
    DeleteFile(original.c_str());
    return RC_OK;
}

tStatus cOpSysBase::RemoveAddedFontFile() {
    if (addedFontFile.empty()) return RC_OK;
    std::u16string path = std::move(addedFontFile);
    addedFontFile.clear();
    return RemoveFontFile(path.c_str());
}

const char16_t *cOpSysBase::ComposeSystemInfo(const std::u16string &firstLine, uint32_t userLanguageId) {
    cCharString block(firstLine);
    block.push_back(u'\n');
    block.append(u"Default language = ");
    block.append(GetLanguageName(int32_t(userLanguageId & 0x3FF)));
    block.append(u", ");
    block.append(GetSubLanguageName(int32_t(userLanguageId >> 10)));
    block.push_back(u'\n');
    block.append(GetProgramPath());
    block.append(u" version ");
    block.append(gProgramStatus.GetVersionText());
    block.push_back(u'\n');
    if (!commandLine.empty()) {
        block.append(u"Command line ");
        // The escaped text holds bytes 0x20 to 0xFF as the same code units.
        for (const char *c = EscapeStringText(commandLine.c_str()); *c; ++c) block.push_back(char16_t(uint8_t(*c)));
        block.push_back(u'\n');
    }
    return TempStringOf(block);
}

std::u16string cOpSysBase::StripQuotes(const char16_t *text) {
    std::u16string s = text ? text : u"";
    if (!s.empty() && s.front() == u'"') s.erase(0, 1);
    if (!s.empty() && s.back() == u'"') s.pop_back();
    return s;
}

const char16_t *cOpSysBase::FindDataFolder(const std::u16string &usersRoot) {
    static const char16_t kOwnFolder[] = u"Pelmora\\";
    std::u16string candidate;
    if (GetOsMajorVersion() < 6) {
        candidate = GetDirectory(programPath);
    } else {
        candidate = usersRoot + userName + u"\\" + kOwnFolder;
        if (IsFolder(candidate.c_str()) != RC_OK) candidate = usersRoot + u"Public\\" + kOwnFolder;
    }
    if (IsFolder(candidate.c_str()) == RC_OK) return TempStringOf(candidate);
    std::u16string base = usersRoot + userName;
    if (IsFolder(base.c_str()) != RC_OK) base = usersRoot + u"Public";
    candidate = base + u"\\" + kOwnFolder;
    if (CreateFolder(candidate) == RC_OK) return TempStringOf(candidate);
    return TempString(u"c:\\");
}

cDebugLog &cOpSysBase::OpenDebugLog(const char16_t *prefix, const char16_t *extension, int32_t keep) {
    cTimeStamp now;
    std::u16string path = GetDataFolder();
    SetFileName(path, now.MakeDatedName(prefix, extension, nullptr));
    log.SetFileName(path.c_str());
    log.StartSession();
    log.WriteText(GetSystemInfo(), 0);
    SetFileName(path, prefix);
    path.append(u"*.");
    path.append(extension ? extension : u"");
    PruneFiles(path.c_str(), keep);
    return log;
}

tStatus cOpSysBase::PruneFiles(const char16_t *pattern, int32_t keep) {
    cFileList list;
    list.SetFlags(1);  // oldest first
    list.Scan(pattern);
    int32_t count = list.GetCount() - keep;
    for (int32_t i = 0; i < count; ++i) {
        std::u16string path = list.GetFolder() + list.GetEntry(i)->GetName();
        DeleteFile(path.c_str());
    }
    return RC_OK;
}

namespace {
constexpr const char16_t *kRecentKey = u"RecentOpenedFiles";
}

tStatus cOpSysBase::SetupIniFile(const std::u16string &name) {
    tStatus result = RC_FAIL;
    settingsUnreadable = false;
    std::u16string candidate = programPath;
    SetExtension(candidate, u"ini");
    std::u16string programNamed = candidate;
    if (!name.empty()) {
        SetFileName(candidate, name.c_str());
        if (FileExists(candidate.c_str()) != RC_OK) SetDirectory(candidate, GetDataFolder());
        if (FileExists(candidate.c_str()) != RC_OK) {
            std::u16string older = programNamed;
            if (FileExists(older.c_str()) != RC_OK) SetDirectory(older, GetDataFolder());
            if (FileExists(older.c_str()) == RC_OK && settingsFile.Load(older.c_str()) >= 0)
                settingsFile.Save(candidate.c_str());
        }
    } else if (FileExists(candidate.c_str()) != RC_OK) {
        SetDirectory(candidate, GetDataFolder());
    }
    if (FileExists(candidate.c_str()) == RC_OK) {
        if (settingsFile.Load(candidate.c_str()) < 0) {
            // Present but unreadable: saving what is in memory would replace
            // the user's settings by an empty tree.
            settingsUnreadable = true;
        }
        int32_t language = settingsFile.GetInt(u"Language");
        if (language >= 0) languageId = language;
        result = RC_OK;
    } else {
        settingsFile.SetFileName(candidate.c_str());
        settingsFile.SetInt(u"Language", languageId);
    }
    if (log.GetFileName() && *log.GetFileName()) {
        log.WriteString(settingsFile.GetFileName(), 1);
        std::u16string text;
        settingsFile.WriteSection(text);
        log.WriteString(text, 0);
    }
    for (int32_t i = 0;; ++i) {
        const char16_t *path = settingsFile.GetValue(settingsFile.MakeIndexedKey(kRecentKey, i));
        if (!path) break;
        recentFiles.AddName(path);
    }
    return result;
}

tStatus cOpSysBase::AddRecentFile(const char16_t *path, int32_t maxCount) { return recentFiles.AddRecent(path, maxCount); }

tStatus cOpSysBase::FillRecentFilesMenu(cSubMenuBase *menu, uint32_t firstId) {
    cWindowLayer *layer = GetWindowLayer();
    return layer ? layer->FillRecentFilesMenu(menu, firstId, recentFiles) : RC_OK;
}

const char16_t *cOpSysBase::GetRecentFile(int32_t index) {
    const cFileData *entry = recentFiles.GetEntry(index);
    return entry ? TempStringOf(entry->GetName()) : nullptr;
}

void cOpSysBase::SaveSettingsAndEndSession() {
    settingsFile.RemoveIndexedKeys(kRecentKey);
    for (int32_t i = 0; i < recentFiles.GetCount(); ++i)
        settingsFile.SetValue(settingsFile.MakeIndexedKey(kRecentKey, i), recentFiles.GetEntry(i)->GetName().c_str());
    if (!settingsUnreadable) settingsFile.Save(nullptr);
    log.EndSession();
}
