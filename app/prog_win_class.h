// The frame window of the program, as far as start-up and closing need it
// for now: it loads the main menu with its hints and key names, opens the
// session log, the settings and the status bar, loads the accelerators and
// handles File > Exit, translate mode and the reset of the menu texts.  The main window's own start-up
// (palette, language) grows here; the score window lives in it.
#pragma once

#include "ui/view_port_top.h"

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

private:
    // The bar along the bottom edge with its five parts.
    void OpenStatusBar();
    void OpenScoreWindow();
    void PlaceScoreWindow(int32_t width, int32_t height);

    tStatus firstRun = RC_OK;
    MusicWin *scoreWindow = nullptr;  // a listener: deleted with the frame's listeners
};
