// The operating-system service object: the one place through which the
// program reaches files, folders, text conversion, resources, the session
// log and the platform objects.  cOpSysBase holds the portable members and
// behaviour; cOpSysVirtual (platform/op_sys.h) implements the primitives.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/debug_log.h"
#include "foundation/error_msg.h"
#include "foundation/file_list.h"
#include "foundation/rectangle.h"
#include "foundation/system_services.h"
#include "platform/ini_file.h"
#include "platform/fault_guard.h"

class cViewPortTop;
class cKeyMouseWin;
class cMessageDvcBase;
class cBinaryFileBase;
class cViewHelp;
class cMidiTrack;
class cMetronome;
class cSubMenuBase;

class cOpSysBase : public cSystemServices {
public:
    // The language file (platform/translate_file.h).
    class cTranslateFile;

    explicit cOpSysBase(const char16_t *commandLine);
    virtual ~cOpSysBase();
    cOpSysBase(const cOpSysBase &) = delete;
    cOpSysBase &operator=(const cOpSysBase &) = delete;

    virtual tStatus Shutdown() { return RC_OK; }
    // The one help viewer (ui/view_help.h): made by the platform object's
    // constructor once the program path is known; deleted by Shutdown, or
    // with this object when Shutdown did not run.
    cViewHelp *GetHelpViewer() const { return helpViewer; }
    void MakeHelpViewer();
    void DeleteHelpViewer();
    // Reports a fault or exception that a guarded message handler took
    // back: the "Exception address" log line and the "OpSys" error of its
    // code.  Answers 1.  An instance started on an error report stays quiet.
    int32_t ReportException(uint32_t code, const sFaultInfo &info);

    // Files and folders.
    tStatus CopyFile(const char16_t *destination, const char16_t *source, uint32_t flags) override = 0;
    virtual tStatus DeleteFile(const char16_t *path) = 0;
    virtual tStatus FileExists(const char16_t *pathOrPattern) = 0;
    virtual tStatus IsFolder(const char16_t *path) = 0;
    virtual tStatus CreateFolder(const std::u16string &path) = 0;
    virtual uint32_t GetFileAttributes(const char16_t *path) = 0;
    virtual int64_t GetFileTime(const char16_t *path) = 0;
    // A new file opened by its constructor (mode 1 read, 2 write), failed or
    // not; the caller closes and deletes it.
    virtual cBinaryFileBase *NewBinaryFile(const char16_t *path, uint32_t mode) = 0;
    // The MIDI player (a new track, which the caller owns) and a metronome
    // ticking on it.  The platform always makes them, also when no MIDI
    // output exists; this portable base makes none.
    virtual cMidiTrack *NewMidiTrack(uint16_t ticksPerQuarter, uint32_t bufferSize) { return nullptr; }
    virtual cMetronome *NewMetronome(const uint16_t *tempo, cMidiTrack *track) { return nullptr; }

    // The per-user data folder, ending in a backslash.
    virtual const char16_t *GetDataFolder() = 0;
    // "ErrorReport.txt" in the data folder.
    const char16_t *GetErrorReportPath() override;
    // The working folder: where the file dialogs start.  Both answer the
    // previous folder; null or a path without folder gives ".\".
    virtual const char16_t *SetWorkingFolder(const char16_t *path);
    virtual const char16_t *SetWorkingFolderString(const std::u16string &path) { return SetWorkingFolder(path.c_str()); }
    const std::u16string &GetWorkingFolder() const { return workingFolder; }
    // The path of the file being worked on; answers the previous one.
    const char16_t *SetCurrentFile(const char16_t *path);
    const std::u16string &GetCurrentFile() const { return currentFile; }
    // Moves a file out of the way before it is written anew: copies it to the
    // same name with the extension "bak", then deletes it.  The file is
    // deleted only after a successful copy, so a failed backup (or a name
    // that is already a backup) keeps it and answers RC_FAIL.
    virtual tStatus MoveToBackup(const char16_t *path);
    // The path spelled as the disk stores its folders and file (the base
    // class answers it unchanged).
    virtual const char16_t *GetStoredPathName(const char16_t *path) { return path; }
    // The text without an opening double quote and then without a closing
    // one (a command line names a path with blanks in quotes).
    static std::u16string StripQuotes(const char16_t *text);

    // System errors, shown and logged by the error mode.
    uint32_t SetErrorMode(uint32_t mode);
    uint32_t GetErrorMode() const { return errorMode; }
    virtual uint32_t GetLastErrorCode() = 0;
    virtual const char16_t *GetErrorText(uint32_t code);
    virtual const char16_t *GetLastErrorText() { return GetErrorText(GetLastErrorCode()); }
    tStatus ShowError(uint32_t code, const char16_t *context) override;
    virtual tStatus ShowLastError(const char16_t *context) { return ShowError(GetLastErrorCode(), context); }

    // System queries.
    virtual uint32_t GetPlatformId() { return 0; }
    virtual uint32_t GetOsMajorVersion() { return 0; }
    virtual const char16_t *GetProgramPath();
    virtual tStatus IsNonEnglishUser() = 0;
    // The keyboard's state, or'ed with the state a test set: a test cannot
    // hold a real key down for a program it drives.
    virtual bool IsShiftDown() = 0;
    virtual bool IsCtrlDown() = 0;
    enum : uint32_t { kTestShift = 1, kTestCtrl = 2 };
    void SetTestModifiers(uint32_t bits) { testModifiers = bits; }
    uint32_t GetTestModifiers() const { return testModifiers; }
    virtual tStatus Wait(uint32_t milliseconds) { return RC_OK; }
    virtual const char16_t *LoadString(uint32_t id) { return u"<empty>"; }
    // "Windows Ver. 6.1(Build 7601, Service Pack 1)" and the block of
    // system information that starts every log session.
    virtual const char16_t *GetOsVersionText() = 0;
    virtual const char16_t *GetSystemInfo() = 0;

    // The music font file that the start-up added to the system's font
    // table.  Removing takes out exactly the path that was added, once.
    void SetAddedFontFile(const char16_t *path) { addedFontFile = path ? path : u""; }
    const std::u16string &GetAddedFontFile() const { return addedFontFile; }
    tStatus RemoveAddedFontFile();

    // Main window, shell and boxes.
    virtual int32_t RunMessageLoop(cViewPortTop *mainWindow);
    virtual tStatus CloseMainWindow() { return RC_OK; }
    cViewPortTop *GetMainWindow() const { return mainWindow; }
    bool HasMainWindow() const override { return mainWindow != nullptr; }
    virtual cViewPortTop *SetMainWindow(cViewPortTop *window);
    virtual tStatus ShellOpen(const char16_t *file, const char16_t *parameters) = 0;
    // Every message box of the program comes here, so that tests can answer
    // them: with scripted answers the box is logged ("Box: " caption ": "
    // text) and answered without being shown.  Each box takes the next
    // answer of the queue; the last one answers every box after it.
    int32_t MessageBox(const char16_t *text, const char16_t *caption, uint32_t type);
    void SetScriptedBoxAnswer(int32_t answer);
    void SetScriptedBoxAnswers(std::vector<int32_t> answers);
    // The answer the next box gets; 0 when boxes are shown.
    int32_t GetScriptedBoxAnswer() const { return boxAnswers.empty() ? 0 : boxAnswers.front(); }
    // Scripted file dialogs: each open or save dialog takes the next path
    // instead of being shown (an empty path is Cancel) and is logged
    // ("File dialog: " kind ": " path, or "Cancel").  With none scripted,
    // or once all are taken, answers false and the real dialog runs.  An
    // empty list ends the script.
    void SetScriptedFileAnswers(std::vector<std::u16string> answers);
    bool TakeScriptedFileAnswer(const char16_t *kind, std::u16string &path);

    // Seen by the message loop before each message is dispatched, inside
    // the fault guard; true when the hook took the message.  The test
    // settings of the program use it for their registered messages.
    using tLoopHook = std::function<bool(uint32_t message, uintptr_t wParam, intptr_t lParam)>;
    void SetLoopHook(tLoopHook hook) { loopHook = std::move(hook); }

    // The keyboard-and-mouse help window.  With a parent it is made, opened
    // and shown once (later calls change nothing); without one it is
    // deleted.  Answers the window, null after a deletion.
    virtual cKeyMouseWin *ShowKeyMouseHelp(cMessageDvcBase *parent, const char16_t *title);
    cKeyMouseWin *GetKeyMouseWindow() const { return keyMouseWindow; }
    // Passed on to the window when there is one; 0 without.
    uint8_t KeyMouseSetLeftButton(uint8_t value);
    uint8_t KeyMouseSetRightButton(uint8_t value);
    uint8_t KeyMouseSetShift(uint8_t value);
    const char16_t *KeyMouseSetKeyText(const char16_t *text);
    void Beep() override = 0;

    // Text conversion between UTF-16 and the 8-bit code page.  The 8-bit
    // results share one buffer: use or copy a result before the next call.
    const char *ToAnsi(const char16_t *text, uint32_t n) override = 0;
    const char16_t *ToWide(const char *bytes, uint32_t n) override = 0;
    const char *ToAnsiString(const std::u16string &s) { return ToAnsiText(s.c_str()); }
    static uint32_t GetTextByteSize(const char16_t *text);

    // Names the session log (prefix + "_YY_MM_DD." + extension in the data
    // folder), starts a session with the system-information block and keeps
    // only the newest `keep` logs of that prefix.
    cDebugLog &OpenDebugLog(const char16_t *prefix, const char16_t *extension, int32_t keep);
    // Deletes the oldest files (by last write) matching the pattern until
    // `keep` are left.  Answers 0.
    virtual tStatus PruneFiles(const char16_t *pattern, int32_t keep);

    // The settings file.  SetupIniFile looks for the name in the program's
    // folder, then in the data folder, then takes over the program-named
    // ".ini" file; it loads what it found and answers 0, or prepares a new
    // file in the data folder and answers RC_FAIL (the first run).  An empty
    // name selects the program-named file.  A file that exists but cannot be
    // read is left alone: that run does not save the settings.
    virtual tStatus SetupIniFile(const std::u16string &name);
    virtual tStatus SetupIniFileInDataFolder(const char16_t *name) { return SetupIniFile(name ? name : u""); }
    virtual tStatus SetupDefaultIniFile() { return SetupIniFileInDataFolder(u""); }
    cIniFile &Settings() { return settingsFile; }
    bool SettingsUnreadable() const { return settingsUnreadable; }

    // The recent-file list, oldest first.  Adding moves a known path to the
    // end and keeps at most `maxCount` (0: no limit).  An index past the end
    // answers null.
    virtual tStatus AddRecentFile(const char16_t *path, int32_t maxCount);
    virtual const char16_t *GetRecentFile(int32_t index);
    int32_t GetRecentFileCount() const { return recentFiles.GetCount(); }
    // One command per recent file in the menu (null: nothing), ids from
    // firstId on (up to 199), labelled with the file name, hinted with the
    // path and keyed "RecentFile/" + the file name.  Items beyond the list
    // are removed, so that no command names a file the list no longer has.
    virtual tStatus FillRecentFilesMenu(cSubMenuBase *menu, uint32_t firstId);
    // The desktop's extent (640 by 480 until the system tells).
    const cRectangl &GetDesktop() const { return desktop; }

    // Members reached by other parts of the program.
    cDebugLog &Log() override { return log; }
    const std::u16string &GetCommandLine() const { return commandLine; }
    const std::u16string &GetUserName() const { return userName; }
    int32_t GetLanguageId() const { return languageId; }
    void SetLanguageId(int32_t id) { languageId = id; }
    bool IsTranslateMode() const { return translateMode; }

    // Language files and the interface language (platform/language_choice.cpp).
    // A load reads the file into a new language file, which replaces the one
    // in use only when it was read; then the main menu takes its texts and
    // "TranslationFile" names it.  Writing first stores the menu's texts.
    virtual tStatus LoadLanguageFile(const char16_t *path);
    virtual tStatus WriteLanguageFile(const char16_t *path);
    // Loads the language file that "TranslationFile" names; on the first run
    // of a user whose language is not English, asks once for the language.
    virtual tStatus ChooseLanguage(const char16_t *pattern);
    // English again: no translations, "Language" and "TranslationFile" 0.
    virtual tStatus ResetLanguage();
    // Answers the previous flag.
    bool SetTranslateMode(bool on);
    cTranslateFile &GetTranslateFile();

protected:
    // The portable part of the shutdown: the recent-file keys, the settings
    // file (unless it could not be read) and the end of the log session.
    void SaveSettingsAndEndSession();
    // The data folder rules: the program's folder before Windows 6; else
    // "Pelmora\\" in the user's folder under the users root, else in its
    // "Public" folder, else made there, else "c:\\".
    const char16_t *FindDataFolder(const std::u16string &usersRoot);
    // Lines 2 to 4 of the system-information block after the first line.
    const char16_t *ComposeSystemInfo(const std::u16string &firstLine, uint32_t userLanguageId);
    // Platform side of RemoveAddedFontFile.
    virtual tStatus RemoveFontFile(const char16_t *path) = 0;
    // Platform side of MessageBox.
    virtual int32_t ShowMessageBox(const char16_t *text, const char16_t *caption, uint32_t type) = 0;
    // Stores a new 8-bit conversion result, freeing the previous one.
    const char *KeepAnsi(std::string &&bytes);

    cDebugLog log;
    int32_t languageId = 0;
    uint32_t errorMode = 3;
    std::u16string programPath;
    std::u16string userName;
    bool translateMode = false;
    std::u16string commandLine;
    std::u16string currentFile;
    std::u16string workingFolder;
    cViewPortTop *mainWindow = nullptr;
    cKeyMouseWin *keyMouseWindow = nullptr;
    std::u16string addedFontFile;
    cIniFile settingsFile;
    struct sTranslateFileDeleter {
        void operator()(cTranslateFile *file) const;
    };
    std::unique_ptr<cTranslateFile, sTranslateFileDeleter> translateFile;
    bool settingsUnreadable = false;
    cFileList recentFiles;
    cRectangl desktop;
    std::deque<int32_t> boxAnswers;
    std::deque<std::u16string> fileAnswers;
    bool fileAnswersScripted = false;
    uint32_t testModifiers = 0;
    tLoopHook loopHook;

private:
    std::string *ansiBuffer = nullptr;
    // The error reporter this object made, when it was the one registered.
    cErrorMsgBase *ownReporter = nullptr;

private:
    cViewHelp *helpViewer = nullptr;
};

extern cOpSysBase *gOpSys;

// The "OpSys" error table: exception names and the setup-folder message.
extern const sErrorTable kOpSysErrors;
void RaiseOpSysError(uint32_t index);
