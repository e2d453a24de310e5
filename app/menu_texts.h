// The texts the main menu takes from the program rather than from its
// resource: the status-bar hint of every command and the key name under
// which every node's texts are stored in a language file.  Both tables
// follow menu 1000 in tree order (the hints its commands only, the key
// names the root, every popup and every command), so they change whenever
// the menu resource does.
//
// Also the two commands that change the menu's texts: translate mode, in
// which every item can be chosen and translated and whose end writes a
// language file, and the reset to the built-in English texts.
#pragma once

#include <cstdint>

#include "foundation/base_defs.h"

class cOpSysBase;
class cSubMenuBase;
class cViewPort;

constexpr uint16_t kMainMenuId = 1000;
constexpr int32_t kMenuHintCount = 63;
constexpr int32_t kMenuKeyNameCount = 73;
extern const char16_t *const kMenuHints[kMenuHintCount];
extern const char16_t *const kMenuKeyNames[kMenuKeyNameCount];

// Commands of the main menu's File popup; the frame handles Exit itself,
// the score window the others.
constexpr uint32_t kCmdNew = 100;
constexpr uint32_t kMenuOpen = 101;
constexpr uint32_t kMenuSave = 102;
constexpr uint32_t kMenuSaveAs = 103;
constexpr uint32_t kMenuSongbook = 104;
constexpr uint32_t kMenuExportMidi = 105;
constexpr uint32_t kMenuExportText = 106;
constexpr uint32_t kMenuExportCsv = 107;
constexpr uint32_t kMenuPrint = 108;
constexpr uint32_t kMenuPrinterSetup = 109;
constexpr uint32_t kMenuExampleFiles = 110;
constexpr uint32_t kCmdExit = 111;
// The recent files follow the File popup's last separator.
constexpr uint32_t kFirstRecentFileId = 112;
constexpr uint32_t kLastRecentFileId = 199;
constexpr int32_t kRecentFileCount = 4;
// Other commands the frame handles itself.
constexpr uint32_t kCmdTranslate = 609;
constexpr uint32_t kCmdResetLanguage = 610;

// The language files the translate mode writes.
constexpr const char16_t *kLanguageFilePattern = u"*.PmrLang";

// Loads menu 1000 into the window as the main menu, with both tables.
tStatus LoadMainMenu(cViewPort &frame);

// Switches translate mode.  On: 609 checked, every item enabled (its state
// kept).  Off: 609 unchecked, the kept states back, then the symbol classes'
// texts and the language file written (the user names the file).
void ToggleTranslateMode(cOpSysBase &opSys, cSubMenuBase *menu);

// Back to the built-in texts; ignored in translate mode.  The language is
// reset, the menu loaded again with both tables and every symbol class
// given its own hint.  The reload would drop what the program put into the
// menu since start-up, so the commands keep their grey and check states and
// the recent files come back.
tStatus ResetMenuTexts(cOpSysBase &opSys, cViewPort &frame);
