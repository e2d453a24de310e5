// The frame window of the program, as far as start-up and closing need it
// for now: it loads the main menu with its hints and key names, opens the
// session log, the settings and the status bar, loads the accelerators and
// handles File > Exit, translate mode and the reset of the menu texts.  The main window's own start-up
// (palette, language) grows here; the score window lives in it.
#pragma once

#include <string>

#include "ui/view_port_top.h"

class cIniFile;
class MusicWin;

class ProgWinClass : public cViewPortTop {
public:
    ProgWinClass(int32_t showMode, const char16_t *title);
    ~ProgWinClass() override;

    tStatus Open() override;
    // The listener windows first, then the frame's own commands.
    tStatus OnCommand(sWinMessage &record) override;
    // Keeps the status bar along the bottom edge, full width, and the score
    // window over the rest.
    tStatus OnSize(int32_t width, int32_t height, sWinMessage &record) override;

    // RC_FAIL when this is the first run (no settings file was found).
    tStatus FirstRunMark() const { return firstRun; }

    // ---- Frame commands (frame_commands.cpp) ----
    // The host of the program's web pages; the settings key "LocalNet"
    // names another one (a local server).
    static constexpr const char16_t *kWebHost = u"pelmora.org";
    static constexpr uint32_t kHelpForumDialogId = 1023;
    // Save Setup (611), Help > Draw (701) and Help > Help forum (703), each
    // answering 0; RC_FAIL for any other id.
    tStatus OnFrameCommand(uint32_t id);
    // The frame's place, the floating palette's place, the printer, then
    // the settings file saved; answers the save's result.
    tStatus SaveSetup();
    void OnHelpDraw();
    void OnHelpForum();
    // A close in translate mode ends the mode first, as Translate does, so
    // that the translations reach their language file.
    tStatus OnClose(sWinMessage &record) override;

    // The steps of those commands, on what they are given
    // (frame_command_steps.cpp).  The floating palette is null while it is
    // not the active palette.
    static tStatus SaveSetupTo(cIniFile &settings, cDispDvcBase &frame, cDispDvcBase *floatingPalette,
                               MusicWin *scoreWindow);
    static void ShowSymbolHelp(cMessageDvcBase &owner, MusicWin *scoreWindow);
    static void ShowHelpForum(cGraphDvc &owner, MusicWin *scoreWindow);
    // Forum (101) opens the forum page and leaves the dialog open.
    static int32_t ForumDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);
    // "http://forum." and the web host, then "/forum.html".
    static std::u16string ForumPageAddress();
    // The system, the printer, the MIDI devices and the session log's name.
    static std::u16string SupportText(MusicWin *scoreWindow);
    // Every line end as CR LF, as a multi-line edit control shows lines.
    static std::u16string WithEditLineEnds(const std::u16string &text);
    // Ends translate mode when it is on (the language file is written).
    static void EndTranslateMode();
    // ---- end of frame commands ----

private:
    // The bar along the bottom edge with its five parts.
    void OpenStatusBar();
    void OpenScoreWindow();
    void PlaceScoreWindow(int32_t width, int32_t height);

    tStatus firstRun = RC_OK;
    MusicWin *scoreWindow = nullptr;  // a listener: deleted with the frame's listeners
};
