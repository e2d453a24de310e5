// The frame window of the program: the menu bar, the symbol palette along
// its top edge, the status bar along its bottom edge and the score window
// in between.  Its open operation is the program's start-up, in a fixed
// order; it takes the menu commands that the score window leaves and the
// messages of its palette windows.
//
// The palette is shown in two ways: the static palette window, which shows
// one Draw page at a time, and the floating window of every symbol (Draw >
// All).  The pressed button of the active one is the current tool.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "app/music_window.h"
#include "ui/view_port_top.h"

class cIniFile;
class cMusicToolBar;
class cToolBarItem;
class cViewPortPopupToolWin;
class cViewPortStaticToolWin;

// The Draw menu's page commands (300 Notes to 309 Time, 310 None) and the
// floating window of every symbol (311).
constexpr uint32_t kCmdFirstPalettePage = 300;
constexpr uint32_t kCmdPaletteNone = 310;
constexpr uint32_t kCmdPaletteAll = 311;
// The dialog that edits a symbol class's hint in translate mode, and the
// welcome dialog of the first run.
constexpr uint32_t kToolHintDialogId = 28649;
constexpr uint32_t kWelcomeDialogId = 1003;

class ProgWinClass : public cViewPortTop, public cPaletteHost {
public:
    // Menu 1000 with its hints and key names; no window yet.
    ProgWinClass(int32_t showMode, const char16_t *title);
    // The palette bars go, each with the window it still shows.
    ~ProgWinClass() override;

    // The start-up: window, log, settings, accelerators, help file, status
    // bar, score window, first-error callback, language, palette, device
    // report, the file of the command line, the saved set-up and, on the
    // first run, the welcome dialog and the settings file.  Always 0.
    tStatus Open() override;
    // The palette windows' three messages; every other message goes on to
    // the viewport.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    // The listener windows first, then the frame's own commands (a popup
    // menu's copy, with bit 0x4000, acts as the command).  Whatever reaches
    // the frame's switch forgets the right-clicked palette prototype.
    tStatus OnCommand(sWinMessage &record) override;
    // Logs the score window's popup commands that have no menu item.
    tStatus PreviewMessage(uint32_t message, sWinMessage &record) override;
    // The score window takes the focus; Paste Lyrics and Paste Text follow
    // the clipboard (not in translate mode).
    tStatus OnSetFocus(sWinMessage &record) override;
    // The frame is laid out again at every size.
    tStatus OnSize(int32_t width, int32_t height, sWinMessage &record) override;

    // RC_FAIL when this is the first run (no settings file was found).
    tStatus FirstRunMark() const { return firstRun; }

    // The static palette along the top (as tall as its page's rows), the
    // status bar along the bottom, the score window exactly between them.
    tStatus Layout();

    // ---- Symbol palette windows ----
    // The floating window while it is open, else the static palette window.
    cViewPortStaticToolWin *GetActivePaletteWin();
    bool IsPopupPaletteActive() override;
    // The pressed button of the active palette; null when none is pressed.
    cMusicToolBarItem *GetCurrentTool() override;
    // Draw > a page (300-310).  While the floating window is open, None
    // greys its buttons and any other page closes it.
    void SelectPalettePage(uint32_t pageId) override;
    // Draw > All (no rectangle) or the saved place of the floating window
    // ("x,y,width,height"): opens the window of every symbol, or enables
    // the open one again.
    void ShowAllToolsWindow(const char16_t *rectText);
    // The floating window has gone (closed by the user, or destroyed with
    // the frame): it has left its bar, which is deleted here, and the frame
    // forgets both.  The window object is deleted later, outside its own
    // handlers.
    void OnFloatingPaletteGone(cViewPortPopupToolWin *window);

    cMusicToolBar *GetStaticPaletteBar() const { return staticPaletteBar; }
    cViewPortStaticToolWin *GetStaticPaletteWin() const { return staticPaletteWin; }
    cMusicToolBar *GetPopupPaletteBar() const { return popupPaletteBar; }
    cViewPortPopupToolWin *GetPopupPaletteWin() const { return popupPaletteWin; }
    MusicWin *GetScoreWindow() const { return scoreWin; }

    // The welcome dialog's button 101 opens the demonstration video page.
    static int32_t WelcomeDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);

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


protected:
    // The start-up's steps that make the frame's children, each in its turn
    // of Open.
    // The bar along the bottom edge with its five parts.
    void OpenStatusBar();
    // The score window, a listener of the frame, with both scroll bars.
    void OpenScoreWindow();
    // The static palette on its first page, Notes.
    void OpenStaticPalette();
    // "WindowSize", "WindowTools" and "Printer" from the settings, then the
    // view settings and the recent-file menu.
    void RestoreSetup();
    void ShowWelcomeDialog();

private:
    // The commands the frame handles itself, by id (bit 0x4000 cleared).
    void OnExitCommand(uint32_t id);
    void OnDrawAll(uint32_t id);
    void OnTranslateCommand(uint32_t id);
    void OnResetLanguageCommand(uint32_t id);

    // The handlers of the palette windows' messages.
    void OnToolSelected();
    void OnToolRightClick(const sWinMessage &record);
    void OnToolHover(const sWinMessage &record);
    // The button when one of the frame's live bars holds it: a posted
    // message may carry a button of a bar deleted since.
    cToolBarItem *LiveButton(tLParam carried) const;
    void DeletePopupPalette();
    // Tells the frame that the tool may have changed: posted where there is
    // a window system (handled after the current handler), else handled at
    // once.
    void PostToolSelected();

    tStatus firstRun = RC_OK;
    cMusicToolBar *staticPaletteBar = nullptr;  // owned; deletes staticPaletteWin
    cViewPortStaticToolWin *staticPaletteWin = nullptr;
    cMusicToolBar *popupPaletteBar = nullptr;  // owned; deletes popupPaletteWin while it shows it
    cViewPortPopupToolWin *popupPaletteWin = nullptr;
    MusicWin *scoreWin = nullptr;  // a listener: deleted with the frame's listeners
    // A floating window that has gone: no bar holds it any more, and it
    // waits here until the frame can delete it (not while its own close or
    // destroy handler runs).
    std::unique_ptr<cViewPortPopupToolWin> closedPaletteWin;
    // The translate-mode hint dialog is open.
    bool editingToolHint = false;
};
