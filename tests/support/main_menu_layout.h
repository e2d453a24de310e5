// Menu 1000 as the user is meant to see it, row by row in menu order: the
// tests hold the menu resource, the code tables and the running program's
// menu against it.  Popups have id 0, neither hint nor a command; the
// separators are left out, as the menu tree leaves them out.
#pragma once

#include <cstdint>

namespace test {

struct sMenuRow {
    int32_t depth;  // 0 for the menu bar's popups
    uint32_t id;    // 0 for a popup
    const char16_t *text;  // label, TAB, shortcut text
    const char16_t *keyName;
    const char16_t *hint;  // null for a popup
};

inline constexpr sMenuRow kMainMenuRows[] = {
    {0, 0, u"&File", u"File", nullptr},
    {1, 100, u"New", u"File/New", u"Create a new file"},
    {1, 101, u"Open", u"File/Open", u"Open a file"},
    {1, 102, u"Save\tCtrl+S", u"File/Save", u"Save this file"},
    {1, 103, u"Save as", u"File/SaveAs", u"Rename and save this file"},
    {1, 0, u"Export", u"File/Export", nullptr},
    {2, 104, u"Songbook", u"File/Songbook", u"Place song lyrics on the clipboard"},
    {2, 105, u"Midi", u"File/MIDI", u"Save this file in MIDI format"},
    {2, 106, u"ASCII", u"File/ASCII", u"Write a diagnostic report"},
    {2, 107, u"csv", u"File/CSV", u"Save notes in a CSV file"},
    {1, 108, u"Print", u"File/Print", u"Print this file"},
    {1, 109, u"Printer Setup", u"File/PrintSetup", u"Select a printer"},
    {1, 110, u"Example Files", u"File/Samples", u"Open a sample file"},
    {1, 111, u"Exit", u"File/Exit", u"Close Pelmora"},
    {0, 0, u"&Edit", u"Edit", nullptr},
    {1, 200, u"&Copy\t^C", u"Edit/Copy", u"Copy the marked block"},
    {1, 201, u"Cu&t\t^X", u"Edit/Cut", u"Clear the marked block"},
    {1, 202, u"&Paste\t^V", u"Edit/Paste", u"Paste into the marked block"},
    {1, 203, u"&Delete\tdelete", u"Edit/Delete", u"Delete the highlighted symbol"},
    {1, 204, u"Undo\t^Z", u"Edit/Undo", u"Undo previous changes"},
    {1, 205, u"Deselect\tESC", u"Edit/Deselect", u"Deselect (unhighlight) everything"},
    {1, 206, u"&Remove Blocks", u"Edit/RemoveBlocks", u"Remove all block markers"},
    {1, 207, u"Paste Lyrics", u"Edit/PasteLyrics", u"Add lyrics from the clipboard"},
    {1, 208, u"Paste Text", u"Edit/PasteText", u"Paste text from the clipboard"},
    {1, 209, u"Move\tF8", u"Edit/Move", u"Move the selected symbol"},
    {1, 210, u"Resize\tF7", u"Edit/Resize", u"Resize the selected symbol"},
    {0, 0, u"&Draw", u"Draw", nullptr},
    {1, 300, u"Notes\tF2", u"Draw/Notes", u"Place or select notes"},
    {1, 301, u"Rests\tF3", u"Draw/Rests", u"Place or select rests"},
    {1, 302, u"Bars\tF4", u"Draw/Bars", u"Place or select bars"},
    {1, 303, u"Accidentals\tF5", u"Draw/Accidentals", u"Place or select accidentals"},
    {1, 304, u"Text\tF6", u"Draw/Text", u"Place or select text"},
    {1, 305, u"Dynamics", u"Draw/Dynamics", u"Place or select dynamics"},
    {1, 306, u"Markings", u"Draw/Markings", u"Place or select score markings"},
    {1, 307, u"Staff", u"Draw/Staff", u"Place or select staves or braces"},
    {1, 308, u"Clefs", u"Draw/Clefs", u"Place or select clefs"},
    {1, 309, u"Time", u"Draw/Time", u"Place or select time signatures"},
    {1, 310, u"None", u"Draw/None", u"Select existing symbols"},
    {1, 311, u"All", u"Draw/All", u"Display all symbols in a separate window"},
    {0, 0, u"Score", u"Score", nullptr},
    {1, 400, u"Play", u"Score/Play", u"Play the score, block or selected symbol"},
    {1, 401, u"Stop Playback", u"Score/Stop", u"Stop playback"},
    {1, 402, u"Config", u"Score/Speed", u"Set playback speed in beats per minute"},
    {0, 0, u"Format", u"Format", nullptr},
    {1, 500, u"Lyrics", u"Format/Lyrics", u"Align lyrics with the selected lyric"},
    {1, 501, u"Stems", u"Format/Stems", u"Change stem direction"},
    {1, 502, u"Chords", u"Format/Chords", u"Automatically group notes into chords"},
    {1, 503, u"Beams", u"Format/Beams", u"Automatically beam groups of notes"},
    {1, 504, u"Transpose", u"Format/Transpose", u"Transpose or change clefs"},
    {1, 505, u"Spacing", u"Format/Spacing", u"Reformat spacing between notes or staves"},
    {1, 506, u"Relocate", u"Format/Relocate", u"Relocate the selected symbol between staves"},
    {1, 507, u"Repeat\tF10", u"Format/Repeat", u"Repeat the previous command"},
    {1, 508, u"Move All\tF9", u"Format/MoveAll", u"Also move following symbols"},
    {0, 0, u"Setup", u"Setup", nullptr},
    {1, 600, u"Draw", u"Setup/Draw", u"Setup or modify the next symbols placed"},
    {1, 601, u"Properties", u"Setup/Properties", u"Setup or modify the selected symbol"},
    {1, 602, u"Sound", u"Setup/Play", u"Play each selected note"},
    {1, 603, u"Note Grid", u"Setup/Grid", u"Display a note grid for easy alignment"},
    {1, 604, u"Percussion", u"Setup/Percussion", u"Setup Percussion Instruments"},
    {1, 0, u"Language", u"Setup/Language", nullptr},
    {2, 608, u"Load Language", u"Setup/LoadMenu", u"Load a language file"},
    {2, 609, u"Translate", u"Setup/Translate", u"Start translating menus and hints"},
    {2, 610, u"Reset", u"Setup/Reset", u"Reset translated menus and hints"},
    {1, 611, u"Save Setup", u"Setup/Save", u"Save the current setup"},
    {1, 612, u"Pitch from Text", u"Setup/German", u"Letters convert to pitches from german lute tablature"},
    {0, 0, u"Help", u"Help", nullptr},
    {1, 700, u"Help\tF1", u"Help/Help", u"Display the complete help file"},
    {1, 701, u"Draw", u"Help/Draw", u"Display help for the selected symbol"},
    {1, 703, u"Help forum", u"Help/Forum", u"Online help forum"},
    {1, 704, u"About", u"Help/About", u"Information about this program"},
    {1, 706, u"Program updates", u"Help/Update", u"Check for program updates on the website"},
    {1, 707, u"www.pelmora.org", u"Help/Website", u"Visit the website"},
};

}  // namespace test
