// The score window: the frame's child in which the one open score is shown
// and edited.  It owns the score, the printer device and the MIDI player,
// puts the volume and zoom sliders into the frame's status bar, paints the
// score and keeps the Edit and Setup menus in step with the selection, the
// clipboard and the undo list, writes the status texts and, as the frame's
// listener, sees every menu command before the frame does.
#pragma once

#include <cstdint>
#include <string>

#include "ui/view_port.h"

class cMidiTrack;
class cMusicToolBarItem;
class cPObjPoint;
class cStatusVolume;
class cStatusZoom;
class cWinPrint;
class ScoreObject;

// The edit-mode command whose label names the mode in the status bar:
// Edit > Move (209) for mode 2, Edit > Resize (210) for mode 3, 0 otherwise.
uint32_t EditModeMenuId(uint32_t editMode);
// The log line of a zoom slider value against the line spacing: the drawn
// page grows with the square of the zoom, so the percentage is of the area.
std::u16string ZoomLogText(int32_t sliderValue, int32_t lineSpacing);

// What the score window needs of the frame's symbol palette: the tool that
// a click places, and the page that File > New turns to.  The frame
// implements it; a window without one places nothing.
class cPaletteHost {
public:
    virtual ~cPaletteHost() = default;
    virtual cMusicToolBarItem *GetCurrentTool() = 0;
    virtual bool IsPopupPaletteActive() = 0;
    virtual void SelectPalettePage(uint32_t pageId) = 0;
};

class MusicWin : public cViewPort {
public:
    static constexpr uint32_t kScoreWindowStyle = 0x50000000;  // child, visible
    static constexpr uint16_t kPlayerTicksPerQuarter = 480;
    static constexpr uint32_t kPlayerBufferSize = 1024;
    static constexpr size_t kStatusTextLength = 80;
    static constexpr const char16_t *kNoNameScore = u"NoName.pmr";

    // No window yet; the player is asked for at once and may be null.
    explicit MusicWin(cMessageDvcBase *frame);
    // The sliders belong to the status bar; the score goes first and takes
    // the symbol layer's class-wide state with it.
    ~MusicWin() override;

    // The window, the printer device, the registry, a score of one staff
    // named "NoName.pmr", its first pagination and the two sliders.
    tStatus Open() override;
    // The zoom slider's scroll messages and the player's notices.
    tStatus OnMessage(uint32_t message, sWinMessage &record) override;
    tStatus OnPaint(sWinMessage &record) override;
    tStatus OnSize(int32_t width, int32_t height, sWinMessage &record) override;
    tStatus OnSetFocus(sWinMessage &record) override;
    tStatus MoveWindowTo(int32_t x, int32_t y, int32_t width, int32_t height) override;
    // Asks whether a changed score is to be saved; a save that fails keeps
    // the window open (negative answer) so that the work is not lost.
    tStatus CanClose() override;
    // The status bar goes with the frame: the sliders are forgotten first.
    tStatus OnClose(sWinMessage &record) override;
    // 0 for a command of the score window, RC_FAIL for any other.
    tStatus OnCommand(sWinMessage &record) override;

    // Renumbers, re-extends, repaginates and repaints after a change that
    // can change the score's size.
    void UpdateScrollExtent();
    // Status parts 0 (edit mode), 1 (mouse position) and, in diagnostic
    // mode, 4 (symbol counts).
    void UpdateStatusText();
    // The selected symbol, else the last right-clicked one; the right click
    // is forgotten either way.
    cPObjPoint *TakeCurrentSymbol();
    // Writes the score to the path as File > Save does: the previous file is
    // copied to its backup first and is replaced only by a complete write.
    // Any failure has been shown; answers the write's result.
    tStatus SaveScore(const char16_t *path);
    // Edit > Move (2) or Edit > Resize (3).
    void SetEditMode(uint32_t mode);
    // Edit > Deselect: nothing stays selected, held or hovered, and the last
    // right click is forgotten; the whole window is repainted.
    void OnDeselect();
    // Invalidates the union of the symbol layer's two pending redraw areas;
    // with `clear` both are emptied afterwards.  Answers whether the union
    // held anything.
    bool RepaintPendingArea(bool clear);
    // The frame's current palette tool, or null.
    cMusicToolBarItem *GetCurrentTool();
    void SetPaletteHost(cPaletteHost *host) { paletteHost = host; }

    // ---- Score input (music_input.cpp) ----
    // The right-click popup's own commands (they arrive with the window
    // command bit): select the staff or the brace of the symbol clicked.
    // Paste Lyrics and Paste Text follow the clipboard and the selected
    // symbol; the frame asks again when it gets the focus back, since the
    // clipboard may have changed meanwhile in another program.
    static void UpdatePasteStates();
    static constexpr uint32_t kCmdSelectStaff = 40;
    static constexpr uint32_t kCmdSelectBrace = 41;
    // A left click places the current palette tool (the block tool while
    // Shift is held) or picks what lies under the point; moves drag it and
    // show the position; the release ends the edit.  While the window is
    // busy printing, the mouse only moves the remembered position.
    tStatus OnLeftDown(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnMouseMove(int32_t x, int32_t y, sWinMessage &record) override;
    tStatus OnLeftUp(int32_t x, int32_t y, sWinMessage &record) override;
    // With the left button held, deletes the symbol it holds (undoable);
    // otherwise shows the popup "ObjectRBtn" for the symbol under the point.
    tStatus OnRightDown(int32_t x, int32_t y, sWinMessage &record) override;
    // Ctrl+C, Ctrl+V and Ctrl+X copy, paste and cut the marked block; any
    // other key goes to the score.  Without a record the key is an ordinary
    // one (Edit > Undo comes here with Ctrl+Z).
    tStatus OnKey(uint16_t key, sWinMessage &record) override;
    tStatus OnKey(uint16_t key, const sWinMessage *record);
    // Selects the symbol of the last right click, or its nearest owner of
    // the class; answers the symbol now selected, or null.
    cPObjPoint *SelectObjectOfType(int16_t classId);
    // The popup's commands 40 and 41, with or without the window command
    // bit; RC_FAIL for any other id.
    tStatus OnInputCommand(uint32_t id);
    // Busy while File > Print runs (the print sets it itself; the seam is
    // for tests of input during a print).
    void SetBusy(bool on) { busy = on; }
    cPObjPoint *GetRightClicked() const { return rightClicked; }

    // ---- File commands (music_window_files.cpp) ----
    // Asks about a changed score, then empties it and names it "NoName.pmr";
    // a negative answer (the save failed) leaves the score as it was.
    tStatus ResetDocument();
    void OnFileNew();
    // Without a path the open dialog asks for one.
    tStatus OnFileOpen(const char16_t *path);
    // Loads the file into the emptied score; a file that fails to load
    // leaves an empty score named "NoName.pmr" and no recent entry.
    tStatus LoadFile(const char16_t *path);
    void OnFileSave();
    void OnFileSaveAs();
    void OnSongbook();
    void OnExportMidi();
    void OnExportText();
    void OnExportCsv();
    void OnPrint();
    void OnPrinterSetup(const char16_t *printerName);
    void OnExampleFiles();

    ScoreObject *GetScore() const { return score; }
    cMidiTrack *GetPlayer() const { return player; }
    cWinPrint *GetPrinter() const { return printer; }
    cStatusZoom *GetZoomSlider() const { return zoomSlider; }
    cStatusVolume *GetVolumeSlider() const { return volumeSlider; }
    bool IsBusy() const { return busy; }
    void SetMousePosition(int32_t x, int32_t y) {
        mouseX = x;
        mouseY = y;
    }
    void SetRightClicked(cPObjPoint *symbol) { rightClicked = symbol; }

private:
    // The page is drawn at the zoom that the slider's value gives against
    // the line spacing; a disabled slider changes nothing.
    void ApplyZoomSlider();
    // The scroll extent from the score's bounds and the printer's page.
    void SetScoreExtent();
    // Edit and Setup items follow the selection, clipboard and undo list.
    void UpdateMenuStates();
    void SetDefaultTextFont();
    void SetFrameTitle(const char16_t *title);
    void MakeSliders();

    cWinPrint *printer = nullptr;           // owned
    cMessageDvcBase *productWin = nullptr;  // owned
    cMessageDvcBase *frame;
    bool busy = false;
    cMidiTrack *player = nullptr;  // owned
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    cPObjPoint *rightClicked = nullptr;
    cStatusZoom *zoomSlider = nullptr;      // the status bar owns it
    cStatusVolume *volumeSlider = nullptr;  // the status bar owns it
    ScoreObject *score = nullptr;           // owned
    cPaletteHost *paletteHost = nullptr;    // the frame's palette, not owned

    // ---- Playback (music_playback.cpp) ----
public:
    // Score > Play: the score, or the selected symbol onwards, into the
    // player, whose notices the window follows until the pass ends or is
    // stopped.  Without a MIDI output device only a message is shown.
    void OnPlay();
    // Score > Stop Playback, and the first step of closing: the player
    // falls silent and no notice of the pass is followed any more (nothing
    // without a player).
    void OnStop();
    // Score > Config: playback stops as by OnStop, then the tempo dialog.
    void OnPlayConfig();

private:
    // WM_USER: the player's notices (the end of the pass, a passed position
    // mark) and the window's own mark of the start of a pass.
    tStatus OnPlayerNotice(uint32_t notice, tLParam lParam);
    // Text selections and block marks cleared, the window repainted.
    void EndPlayback();
    // "MidiDump.txt" in the current folder: the score's name and the
    // player's events.
    void WritePlayerDump();

    // Notices are posted, so some arrive after their pass was stopped or
    // replaced.  Each Play posts its pass number behind whatever the old
    // pass left queued, and Stop retires the number; only the notices after
    // the start of the newest pass, until it ends or is stopped, are
    // followed.
    uint32_t passNumber = 0;
    bool following = false;
};
