// The "Set Tempo" dialog.  The slider binds an int, the metronome reads a
// 16-bit tempo: both are kept, the event handler copying the one into the
// other on every event, so the metronome changes speed while the user drags.
#include "staves/tempo_dialog.h"

#include <memory>
#include <string>

#include "document/music_base.h"
#include "document/symbol_base.h"
#include "midi/metronome.h"
#include "midi/midi_track.h"
#include "platform/op_sys_base.h"
#include "staves/score_object.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/scroll_controls.h"

namespace {

constexpr uint32_t kTempoDialogId = 1006;
constexpr uint32_t kTempoHelpTopic = 1050;
constexpr uint32_t kTempoText = 101;
constexpr uint32_t kTempoSlider = 102;
constexpr uint32_t kRepeatsBox = 103;
constexpr int32_t kSliderMin = 40, kSliderMax = 220;

// The open dialog's working copies.
struct sOpenTempo {
    int32_t tempo = 0;
    int32_t repeats = 0;
    uint16_t heard = 0;  // what the metronome reads
    tDialogEventHandler chained = nullptr;
    uint32_t chainedData = 0;
};
sOpenTempo *gOpenTempo = nullptr;

uint16_t HeardTempo(int32_t tempo) { return uint16_t(tempo < 0 ? 0 : tempo > 0xFFFF ? 0xFFFF : tempo); }

std::u16string TempoText(int32_t tempo) {
    std::u16string text;
    for (char c : std::to_string(tempo)) text += char16_t(c);
    return text;
}

}  // namespace

int32_t TempoDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    sOpenTempo *open = gOpenTempo;
    // A handler the window gave the dialog hears every event first.
    if (open && open->chained) open->chained(controlId, code, dialog, open->chainedData);
    if (!dialog) return kFailed;
    // The variables follow the controls at once, and the metronome with them.
    for (cGuiControl *control : dialog->Controls())
        if (control) control->ReleaseDraw();
    if (open) open->heard = HeardTempo(open->tempo);
    return code == kDialogEventClose ? 0 : kFailed;
}

uint16_t ScoreObject::TempoDialog(uint16_t newTempo) {
    const uint16_t before = tempo;
    if (newTempo != 0) {
        tempo = newTempo;
        return before;
    }
    sOpenTempo open;
    open.tempo = tempo;
    open.repeats = playRepeats;
    open.heard = tempo;

    // Without the score window's player there is nothing to click on.
    auto *output = dynamic_cast<cMidiTrack *>(gSoundOutput);
    std::unique_ptr<cMetronomeBase> metronome(output && gOpSys ? gOpSys->NewMetronome(&open.heard, output) : nullptr);
    if (metronome) metronome->Start();

    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow ? gCurrentScoreWindow->NewDialogBox(kTempoDialogId, kTempoHelpTopic) : nullptr);
    if (!dialog) return before;  // the metronome goes with the return
    std::u16string shown = TempoText(open.tempo);
    dialog->NewStaticText(kTempoText, &shown, 1);
    dialog->NewHorzScroll(kTempoSlider, &open.tempo, kSliderMin, kSliderMax)->SetHint(u"Set the tempo");
    dialog->NewCheckBox(kRepeatsBox, &open.repeats, 1)->SetHint(u"Play repeats");
    dialog->SetControlBuddy(kTempoText, kTempoSlider);
    open.chainedData = dialog->GetCallbackData();
    open.chained = dialog->SetEventHandler(TempoDialogEvent, 0);

    sOpenTempo *const outer = gOpenTempo;
    gOpenTempo = &open;
    const tStatus result = dialog->Open();
    gOpenTempo = outer;
    dialog.reset();
    metronome.reset();  // stops it and waits for its timer
    if (result == RC_OK) {
        tempo = HeardTempo(open.tempo);
        playRepeats = open.repeats ? 1 : 0;
    }
    return before;
}
