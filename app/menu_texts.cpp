#include "app/menu_texts.h"

#include <vector>

#include "document/symbol_base.h"
#include "notation/symbol_catalogue.h"
#include "platform/op_sys_base.h"
#include "platform/translate_file.h"
#include "ui/menu_item.h"
#include "ui/view_port.h"

const char16_t *const kMenuHints[kMenuHintCount] = {
    // File
    u"Create a new file",
    u"Open a file",
    u"Save this file",
    u"Rename and save this file",
    u"Place song lyrics on the clipboard",
    u"Save this file in MIDI format",
    u"Write a diagnostic report",
    u"Save notes in a CSV file",
    u"Print this file",
    u"Select a printer",
    u"Open a sample file",
    u"Close Pelmora",
    // Edit
    u"Copy the marked block",
    u"Clear the marked block",
    u"Paste into the marked block",
    u"Delete the highlighted symbol",
    u"Undo previous changes",
    u"Deselect (unhighlight) everything",
    u"Remove all block markers",
    u"Add lyrics from the clipboard",
    u"Paste text from the clipboard",
    u"Move the selected symbol",
    u"Resize the selected symbol",
    // Draw
    u"Place or select notes",
    u"Place or select rests",
    u"Place or select bars",
    u"Place or select accidentals",
    u"Place or select text",
    u"Place or select dynamics",
    u"Place or select score markings",
    u"Place or select staves or braces",
    u"Place or select clefs",
    u"Place or select time signatures",
    u"Select existing symbols",
    u"Display all symbols in a separate window",
    // Score
    u"Play the score, block or selected symbol",
    u"Stop playback",
    u"Set playback speed in beats per minute",
    // Format
    u"Align lyrics with the selected lyric",
    u"Change stem direction",
    u"Automatically group notes into chords",
    u"Automatically beam groups of notes",
    u"Transpose or change clefs",
    u"Reformat spacing between notes or staves",
    u"Relocate the selected symbol between staves",
    u"Repeat the previous command",
    u"Also move following symbols",
    // Setup
    u"Setup or modify the next symbols placed",
    u"Setup or modify the selected symbol",
    u"Play each selected note",
    u"Display a note grid for easy alignment",
    u"Setup Percussion Instruments",
    u"Load a language file",
    u"Start translating menus and hints",
    u"Reset translated menus and hints",
    u"Save the current setup",
    u"Letters convert to pitches from german lute tablature",
    // Help
    u"Display the complete help file",
    u"Display help for the selected symbol",
    u"Online help forum",
    u"Information about this program",
    u"Check for program updates on the website",
    u"Visit the website",
};

const char16_t *const kMenuKeyNames[kMenuKeyNameCount] = {
    u"Menu",
    u"File",
    u"File/New",
    u"File/Open",
    u"File/Save",
    u"File/SaveAs",
    u"File/Export",
    u"File/Songbook",
    u"File/MIDI",
    u"File/ASCII",
    u"File/CSV",
    u"File/Print",
    u"File/PrintSetup",
    u"File/Samples",
    u"File/Exit",
    u"Edit",
    u"Edit/Copy",
    u"Edit/Cut",
    u"Edit/Paste",
    u"Edit/Delete",
    u"Edit/Undo",
    u"Edit/Deselect",
    u"Edit/RemoveBlocks",
    u"Edit/PasteLyrics",
    u"Edit/PasteText",
    u"Edit/Move",
    u"Edit/Resize",
    u"Draw",
    u"Draw/Notes",
    u"Draw/Rests",
    u"Draw/Bars",
    u"Draw/Accidentals",
    u"Draw/Text",
    u"Draw/Dynamics",
    u"Draw/Markings",
    u"Draw/Staff",
    u"Draw/Clefs",
    u"Draw/Time",
    u"Draw/None",
    u"Draw/All",
    u"Score",
    u"Score/Play",
    u"Score/Stop",
    u"Score/Speed",
    u"Format",
    u"Format/Lyrics",
    u"Format/Stems",
    u"Format/Chords",
    u"Format/Beams",
    u"Format/Transpose",
    u"Format/Spacing",
    u"Format/Relocate",
    u"Format/Repeat",
    u"Format/MoveAll",
    u"Setup",
    u"Setup/Draw",
    u"Setup/Properties",
    u"Setup/Play",
    u"Setup/Grid",
    u"Setup/Percussion",
    u"Setup/Language",
    u"Setup/LoadMenu",
    u"Setup/Translate",
    u"Setup/Reset",
    u"Setup/Save",
    u"Setup/German",
    u"Help",
    u"Help/Help",
    u"Help/Draw",
    u"Help/Forum",
    u"Help/About",
    u"Help/Update",
    u"Help/Website",
};

tStatus LoadMainMenu(cViewPort &frame) {
    return frame.LoadMenuResource(kMainMenuId, kMenuHints, kMenuHintCount, kMenuKeyNames, kMenuKeyNameCount);
}

void ToggleTranslateMode(cOpSysBase &opSys, cSubMenuBase *menu) {
    const bool ending = opSys.IsTranslateMode();
    opSys.SetTranslateMode(!ending);
    if (menu) {
        if (ending) {
            menu->UncheckCommand(kCmdTranslate);
        } else {
            menu->CheckCommand(kCmdTranslate);
        }
        menu->Translate(ending ? kTranslateEnd : kTranslateBegin, nullptr);
    }
    if (!ending) return;
    // The symbol texts go into the language file before it is written; the
    // user may still cancel the file's name, and nothing more is to be done
    // about it then.
    cPObjBase::WriteClassTexts(&opSys.GetTranslateFile());
    opSys.WriteLanguageFile(kLanguageFilePattern);
}

namespace {

struct sCommandState {
    uint32_t id;
    uint32_t flags;
};

void CollectCommandStates(cSubMenuBase &menu, std::vector<sCommandState> &states) {
    for (int32_t i = 0; i < menu.GetItemCount(); ++i) {
        cMenuItemBase *item = menu.GetItem(i);
        if (!item) continue;
        // A popup's id is its menu handle, which the reload replaces.
        if (auto *sub = dynamic_cast<cSubMenuBase *>(item))
            CollectCommandStates(*sub, states);
        else
            states.push_back({item->GetId(), item->GetFlags()});
    }
}

void RestoreCommandState(cSubMenuBase &menu, const sCommandState &state) {
    cMenuItemBase *item = menu.FindById(state.id);
    if (!item) return;
    const bool disabled = (state.flags & kMenuDisabled) != 0;
    const bool checked = (state.flags & kMenuChecked) != 0;
    if (disabled != !item->IsEnabled()) disabled ? item->Disable() : item->Enable();
    if (checked != item->IsChecked()) checked ? item->Check() : item->Uncheck();
}

}  // namespace

tStatus ResetMenuTexts(cOpSysBase &opSys, cViewPort &frame) {
    if (opSys.IsTranslateMode()) return RC_OK;
    opSys.ResetLanguage();
    std::vector<sCommandState> states;
    if (gMainMenu) CollectCommandStates(*gMainMenu, states);
    tStatus result = LoadMainMenu(frame);
    if (gMainMenu) {
        for (const sCommandState &state : states) RestoreCommandState(*gMainMenu, state);
        cMenuItemBase *newItem = gMainMenu->FindById(kCmdNew);
        opSys.FillRecentFilesMenu(newItem ? newItem->GetParent() : nullptr, kFirstRecentFileId);
    }
    ResetSymbolHints();
    return result;
}
