// Percussion sets: on a percussion staff the height of a note names an
// instrument, and the same height can name different instruments by the
// shape of the note head.  A set says, for each of five head kinds and each
// staff position, which General MIDI percussion key sounds.  Sets live in
// the settings under "Percussion", travel inside the score files that use
// them and are compiled into gPercussionSets.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/string_array.h"
#include "foundation/vector_ptr.h"
#include "staves/staff.h"
#include "ui/text_controls.h"

class cBinaryFileBase;
class cGraphDvc;
class cIniFile;
class cMessageDvcBase;
class cMusicTrack;

// The head kinds (the ids of the note-head radio buttons).
constexpr int32_t kHeadKindOval = 101;
constexpr int32_t kHeadKindDiamond = 102;
constexpr int32_t kHeadKindTriangle = 103;
constexpr int32_t kHeadKindCross = 104;
constexpr int32_t kHeadKindCircleX = 105;

// The head kind of a note-head class id.
int32_t NoteHeadKindOf(int16_t headClassId);

// The state of the dialog "Setup Percussion Staff", and the sets' own
// operations.
class cPercussionSetup {
public:
    // Positions a compiled set covers: -25..21 (keys 35..81 less 60).
    static constexpr int32_t kLowestPosition = -25;
    static constexpr int32_t kHighestPosition = 21;
    static constexpr int32_t kPositionCount = kHighestPosition - kLowestPosition + 1;

    // The dialog's template, help topic and controls.
    static constexpr uint32_t kDialogId = 1027;
    static constexpr uint32_t kHelpTopic = 1046;
    static constexpr uint32_t kSetList = 106;
    static constexpr uint32_t kSlider = 107;
    static constexpr uint32_t kPreview = 108;
    static constexpr uint32_t kInstrumentList = 109;
    static constexpr uint32_t kAddButton = 110;
    static constexpr uint32_t kDeleteButton = 111;
    static constexpr uint32_t kRemoveButton = 112;
    // The slider's range: the top stands for the highest position.
    static constexpr int32_t kSliderTop = 35;
    static constexpr int32_t kSliderBottom = 81;

    // One compiled set.
    class cMidiLookup {
    public:
        // Compiles the set of that name from the settings.
        explicit cMidiLookup(const char16_t *setName);
        // A position outside -25..21 is answered unchanged.
        int32_t Map(int32_t position, int16_t headClassId) const;

        std::u16string name;
        // Per head kind 101..105 and position -25..21: the key less 60.
        int8_t map[5][kPositionCount];
    };

    // The dialog's preview: a staff with the percussion clef and a head of
    // the chosen kind at the slider's position (the slider is its buddy).
    class cPercOwnerDraw : public cStaticOwnerDraw {
    public:
        cPercOwnerDraw(cMessageDvcBase *owner, uint32_t id, const cPercussionSetup &setup);
        // Paints the item's rectangle, which the record's lParam points to.
        tStatus OnPaint(sWinMessage &record) override;

    private:
        const cPercussionSetup &setup;
    };

    // The start values and an empty name list; the player may be null (then
    // nothing sounds).
    explicit cPercussionSetup(cMusicTrack *player);
    virtual ~cPercussionSetup();
    cPercussionSetup(const cPercussionSetup &) = delete;
    cPercussionSetup &operator=(const cPercussionSetup &) = delete;

    // Runs the dialog on the score window; answers 0.  OK keeps what the
    // dialog changed (settings file written, sets compiled again); Cancel
    // puts the sets of the settings back as they were when it opened.
    virtual int32_t Dialog(cGraphDvc *window);
    // One event of the dialog's controls; answers 0.
    virtual int32_t DialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog);

    // The first compiled set of exactly that name (case counts) maps the
    // position; without one the position is answered unchanged.
    static int32_t MapPosition(int32_t position, int16_t headClassId, const char16_t *setName);
    static void AddLookup(const char16_t *setName);
    // The set's section for the head kind in the settings; made when missing
    // and create is 1, else null when missing.  Null too for an empty name,
    // an unknown kind or without settings.
    static cIniFile *FindSetNode(const char16_t *setName, int32_t kind, int32_t create);
    // The sets inside a score file: a 16-bit count, then each set's section
    // in the settings file's text form.  Names without a set are skipped.
    static tStatus SaveSets(const cStringArray &names, cBinaryFileBase *file);
    // Merges the sets read into the settings.  A damaged block (a count
    // beyond the sets there, a section that does not close, one that is not
    // a set) is refused whole: RC_FAIL, and the settings stay as they were.
    static tStatus LoadSets(cBinaryFileBase *file);

    // The instrument list's lines: "  --  " then the 47 percussion names,
    // null-ended.
    static const char16_t *const *InstrumentLines();

    int32_t headKind = kHeadKindOval;
    int32_t position = 60;  // slider value: position 60 - value
    int32_t instrument = 0;
    int32_t setIndex = 0;
    cStringArray setNames;
    cMusicTrack *player;

private:
    // The set names of the settings; "New Percussion Set" when there is none.
    void ReadSetNames();
    // The instrument list shows what the current set stores at the slider.
    void RefreshInstrument(cMessageDvcBase *dialog, cIniFile *node);
    // Sounds the instrument of the selected line (nothing without a player
    // or while it plays).
    void SoundInstrument();
    static int32_t OnDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data);
};

// Every compiled set; exists for the whole run.
extern lcVectorPtr<cPercussionSetup::cMidiLookup> &gPercussionSets;
