// Time signatures: the measures they give, the tempo they carry, their
// storage, their set-up dialogs and the free time signature's digits.
#include <memory>
#include <string>

#include "document/music_commands.h"
#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "midi/metronome.h"
#include "midi/midi_track.h"
#include "midi/music_track.h"
#include "notation/symbol_classes.h"
#include "platform/op_sys_base.h"
#include "platform/version_word.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/graph_dvc.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"

namespace {

struct sTimeNumbers {
    int16_t id;
    int8_t numerator, log2Denominator;
};

// Cut time counts as 2/4; an id not listed answers common time.
constexpr sTimeNumbers kCommonTime = {125, 4, 2};
constexpr sTimeNumbers kTimeNumbers[] = {
    {118, 2, 3},  // Time28
    {119, 3, 3},  // Time38
    {120, 4, 3},  // Time48
    {121, 2, 2},  // Time24
    {122, 3, 2},  // Time34
    {123, 4, 2},  // Time44
    {124, 6, 3},  // Time68
    {125, 4, 2},  // TimeC
    {126, 2, 2},  // TimeC2
};

const sTimeNumbers &NumbersOf(int16_t id) {
    for (const sTimeNumbers &t : kTimeNumbers)
        if (t.id == id) return t;
    return kCommonTime;
}

// Files before 2.5.1 store no tempo word.
constexpr uint32_t kVersionTimeTempo = 0x2050100;

constexpr int16_t kStaffClassId = 184;

// The tempo dialog.
constexpr uint32_t kTempoDialog = 1017;
constexpr uint32_t kTempoHelpTopic = 1050;
constexpr uint32_t kTempoText = 101;
constexpr uint32_t kTempoSlider = 102;
constexpr uint32_t kKeepTempoBox = 26728;
constexpr int32_t kSliderMin = 40, kSliderMax = 220;
// Where the slider stands once "keep" is unticked.
constexpr int32_t kFreedTempo = 100;

// The numbers dialog of the free time signature.
constexpr uint32_t kNumbersDialog = 1011;
constexpr uint32_t kNumeratorList = 101;
constexpr uint32_t kDenominatorList = 102;
constexpr const char16_t *kNumerators[] = {u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", nullptr};
constexpr const char16_t *kDenominators[] = {u"2", u"4", u"8", nullptr};

// The open tempo dialog: the metronome reads its own copy of the tempo,
// which the event handler keeps up with the slider.
struct sOpenTempo {
    int32_t tempo = 0;
    int32_t keep = 0;
    uint16_t heard = 0;
    tDialogEventHandler chained = nullptr;
    uint32_t chainedData = 0;
};
sOpenTempo *gOpenTempo = nullptr;

// The tempo as the display above the slider shows it.
std::u16string TempoText(int32_t tempo) {
    std::u16string text;
    for (char c : std::to_string(tempo)) text += char16_t(c);
    return text;
}

// The log2 of a denominator of 2, 4 or 8; -1 for any other.
int32_t Log2OfDenominator(uint32_t denominator) {
    for (int32_t k = TimeAny::kMinLog2Denominator; k <= TimeAny::kMaxLog2Denominator; ++k)
        if (denominator == (1u << k)) return k;
    return -1;
}

}  // namespace

// ---- TimeC ---------------------------------------------------------------------

uint16_t TimeC::gClassTempo = 0;

TimeC::TimeC() : tempo(gClassTempo) {}

int32_t TimeC::GetNumerator() { return NumbersOf(GetTypeId()).numerator; }
int32_t TimeC::GetLog2Denominator() { return NumbersOf(GetTypeId()).log2Denominator; }

int32_t TimeC::ResetClassData() {
    gClassTempo = 0;
    return 0;
}

void TimeC::CopyFrom(const cPObjBase &other) {
    MusicBitMapCentered::CopyFrom(other);
    if (auto *time = dynamic_cast<const TimeC *>(&other)) tempo = time->tempo;
}

void TimeC::MoveBy(int32_t dx, int32_t) { MusicBitMap::MoveBy(dx, 0); }

uint16_t TimeC::DataSize() { return uint16_t(MusicBitMapCentered::DataSize() + 2); }

tStatus TimeC::SaveBinary(sCmdFileSave *record) {
    if (!record || !record->file) return MusicBitMapCentered::SaveBinary(record);
    if (record->file->WriteU16(tempo) < 0) return kFailed;
    return MusicBitMapCentered::SaveBinary(record);
}

tStatus TimeC::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    if (file && MaskVersion(gFileVersion) >= kVersionTimeTempo) {
        uint16_t value = 0;
        if (file->ReadU16(value) < 0) return kFailed;
        tempo = SaneTempo(value);
    }
    return MusicBitMapCentered::LoadBinary(file, size);
}

tStatus TimeC::ExportText(sCmdExpAsc *record) {
    const tStatus result = MusicBitMapCentered::ExportText(record);
    if (result < 0) return result;
    *record->output << " = " << tempo;
    return 0;
}

tStatus TimeC::ImportText(sCmdImpAsc *record) {
    const tStatus result = MusicBitMapCentered::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.Expect(u"=") != 0) return in.GetErrorLatch();
    const uint16_t value = in.ReadUnsigned16();
    if (in.GetErrorLatch() == 0) tempo = SaneTempo(value);
    return in.GetErrorLatch();
}

TimeC::sCmdSetupTimeC *TimeC::AsTimeRecord(sCommandPrm *record) {
    auto *time = dynamic_cast<sCmdSetupTimeC *>(record);
    if (!time) return nullptr;
    return time->commandId == kCmdSetupTimeC || time->commandId == kCmdSetupTimeAny ? time : nullptr;
}

int32_t TimeC::Setup(sCommandPrm *record) {
    auto *time = dynamic_cast<sCmdSetupTimeC *>(record);
    if (!time || (time->familyId != kCmdSetupTimeC && time->familyId != kCmdSetupTimeAny)) return 0;
    if (!gCurrentScoreWindow) return MusicBitMapCentered::Setup(record);
    return RunTempoDialog(*time, kTempoHelpTopic) ? 1 : 0;
}

sCommandPrm *TimeC::GetClassSetup(sCommandPrm *record) {
    auto *time = dynamic_cast<sCmdSetupTimeC *>(record ? record : new sCmdSetupTimeC);
    if (time) time->tempo = gClassTempo;
    return time;
}

tStatus TimeC::SetClassSetup(sCommandPrm *record) {
    sCmdSetupTimeC *time = AsTimeRecord(record);
    if (!time) return kFailed;
    gClassTempo = time->tempo;
    return 0;
}

sCommandPrm *TimeC::GetObjectSetup(sCommandPrm *record) {
    auto *time = dynamic_cast<sCmdSetupTimeC *>(record ? record : new sCmdSetupTimeC);
    if (time) time->tempo = tempo;
    return time;
}

tStatus TimeC::SetObjectSetup(sCommandPrm *record) {
    sCmdSetupTimeC *time = AsTimeRecord(record);
    if (!time) return kFailed;
    tempo = time->tempo;
    if (gCurrentScoreWindow) RedrawWholeWindow();
    return 0;
}

int32_t TimeC::ApplyClassDefaults() {
    tempo = gClassTempo;
    return MusicBitMapCentered::ApplyClassDefaults();
}

void TimeC::TakeRunningTime() { SetRunningTimeSignature(GetNumerator(), GetLog2Denominator()); }

void TimeC::LayoutTime(cPObjBase *staff, int32_t, uint8_t) {
    TakeRunningTime();
    if (auto *services = dynamic_cast<cStaffServices *>(staff))
        services->SetDefaultTime(GetNumerator(), GetLog2Denominator());
}

sPitch TimeC::GetMidiPitch() {
    TakeRunningTime();
    return MusicBitMapCentered::GetMidiPitch();
}

int32_t TimeC::GetDurationTicks() {
    TakeRunningTime();
    return 0;
}

tStatus TimeC::OnExport(sCmdExport *record) {
    TakeRunningTime();
    if (record && record->sink && tempo != 0) record->sink->PutTempo(tempo);
    return 0;
}

cPObjPoint *TimeC::Draw() {
    TakeRunningTime();
    return MusicBitMapCentered::Draw();
}

void TimeC::SetOwner(cPObjOwnBase *newOwner) {
    MusicBitMapCentered::SetOwner(newOwner);
    if (!newOwner || newOwner->GetTypeId() != kStaffClassId) return;
    if (auto *staff = dynamic_cast<cStaffServices *>(newOwner)) staff->SetDefaultTime(GetNumerator(), GetLog2Denominator());
}

// ---- The tempo dialog ---------------------------------------------------------

int32_t TimeC::SetupDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t data) {
    sOpenTempo *open = gOpenTempo;
    // A handler the window gave the dialog hears every event first.
    if (open && open->chained) open->chained(controlId, code, dialog, open->chainedData);
    if (!dialog) return kFailed;
    if (controlId == kKeepTempoBox && code == kDialogEventClick) {
        // A disabled control shows no new value: values go in while the
        // controls are enabled.
        const bool keep = dialog->GetControlInt(kKeepTempoBox) != 0;
        if (!keep) {
            dialog->EnableControl(kTempoText);
            dialog->EnableControl(kTempoSlider);
        }
        dialog->SetControlInt(kTempoSlider, keep ? 0 : kFreedTempo);
        dialog->SetControlText(kTempoText, TempoText(keep ? 0 : kFreedTempo).c_str());
        if (keep) {
            dialog->DisableControl(kTempoText);
            dialog->DisableControl(kTempoSlider);
        }
    }
    // The variables follow the controls at once, and the metronome with them.
    for (cGuiControl *control : dialog->Controls())
        if (control) control->ReleaseDraw();
    if (open) open->heard = uint16_t(open->tempo < 0 ? 0 : open->tempo);
    if (controlId == kKeepTempoBox) return 0;
    return code == kDialogEventClose ? 0 : kFailed;
}

bool TimeC::RunTempoDialog(sCmdSetupTimeC &record, uint32_t helpTopic) {
    if (!gCurrentScoreWindow) return false;
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kTempoDialog, helpTopic));
    if (!dialog) return false;
    sOpenTempo open;
    open.tempo = record.tempo;
    open.keep = record.tempo == 0 ? 1 : 0;
    open.heard = record.tempo;
    std::u16string shown = TempoText(open.tempo);

    dialog->NewStaticText(kTempoText, &shown, 1);
    dialog->NewHorzScroll(kTempoSlider, &open.tempo, kSliderMin, kSliderMax)
        ->SetHint(u"Set a different tempo for this time signature");
    dialog->NewCheckBox(kKeepTempoBox, &open.keep, 1)->SetHint(u"Keep the same tempo");
    dialog->SetControlBuddy(kTempoText, kTempoSlider);
    if (open.keep) {
        dialog->DisableControl(kTempoText);
        dialog->DisableControl(kTempoSlider);
    }
    open.chainedData = dialog->GetCallbackData();
    open.chained = dialog->SetEventHandler(SetupDialogEvent, 0);

    // Without the score window's player there is nothing to click on.
    auto *output = dynamic_cast<cMidiTrack *>(gSoundOutput);
    std::unique_ptr<cMetronomeBase> metronome(output && gOpSys ? gOpSys->NewMetronome(&open.heard, output) : nullptr);
    if (metronome) metronome->Start();
    sOpenTempo *const outer = gOpenTempo;
    gOpenTempo = &open;
    const tStatus result = dialog->Open();
    gOpenTempo = outer;
    metronome.reset();
    if (result != RC_OK) return false;
    record.tempo = open.keep ? 0 : uint16_t(open.tempo < 0 ? 0 : open.tempo);
    return true;
}

// ---- TimeAny -------------------------------------------------------------------

int32_t TimeAny::gDefaultNumerator = 5;
int32_t TimeAny::gDefaultLog2Denominator = 2;

TimeAny::TimeAny() : numerator(uint8_t(gDefaultNumerator)), log2Denominator(uint8_t(gDefaultLog2Denominator)) {}

void TimeAny::SetDefaults(int32_t newNumerator, int32_t newLog2Denominator) {
    if (IsNumerator(newNumerator)) gDefaultNumerator = newNumerator;
    if (IsLog2Denominator(newLog2Denominator)) gDefaultLog2Denominator = newLog2Denominator;
}

void TimeAny::CopyFrom(const cPObjBase &other) {
    TimeC::CopyFrom(other);
    if (auto *time = dynamic_cast<const TimeAny *>(&other)) {
        numerator = time->numerator;
        log2Denominator = time->log2Denominator;
    }
}

uint16_t TimeAny::DataSize() { return uint16_t(TimeC::DataSize() + 2); }

tStatus TimeAny::SaveBinary(sCmdFileSave *record) {
    if (!record || !record->file) return TimeC::SaveBinary(record);
    const uint8_t numbers[2] = {numerator, log2Denominator};
    if (record->file->Write(numbers, 2) < 0) return kFailed;
    return TimeC::SaveBinary(record);
}

tStatus TimeAny::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    if (!file) return TimeC::LoadBinary(file, size);
    uint8_t numbers[2] = {};
    if (!ReadBytes(file, numbers, 2)) return kFailed;
    numerator = uint8_t(IsNumerator(numbers[0]) ? numbers[0] : gDefaultNumerator);
    log2Denominator = uint8_t(IsLog2Denominator(numbers[1]) ? numbers[1] : gDefaultLog2Denominator);
    return TimeC::LoadBinary(file, size);
}

tStatus TimeAny::ExportText(sCmdExpAsc *record) {
    const tStatus result = TimeC::ExportText(record);
    if (result < 0) return result;
    *record->output << ", " << int32_t(numerator) << ", " << (1u << (log2Denominator & 31));
    return 0;
}

tStatus TimeAny::ImportText(sCmdImpAsc *record) {
    const tStatus result = TimeC::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.Expect(u",") != 0) return in.GetErrorLatch();
    const int32_t readNumerator = in.ReadInt();
    if (in.Expect(u",") != 0) return in.GetErrorLatch();
    const uint32_t readDenominator = in.ReadUnsigned();
    if (in.GetErrorLatch() != 0) return in.GetErrorLatch();
    const int32_t readLog2 = Log2OfDenominator(readDenominator);
    numerator = uint8_t(IsNumerator(readNumerator) ? readNumerator : gDefaultNumerator);
    log2Denominator = uint8_t(readLog2 >= 0 ? readLog2 : gDefaultLog2Denominator);
    return 0;
}

TimeAny::sCmdSetupTimeAny *TimeAny::AsAnyRecord(sCommandPrm *record) {
    auto *any = dynamic_cast<sCmdSetupTimeAny *>(record);
    return any && any->commandId == kCmdSetupTimeAny ? any : nullptr;
}

int32_t TimeAny::Setup(sCommandPrm *record) {
    auto *any = dynamic_cast<sCmdSetupTimeAny *>(record);
    if (!any || any->familyId != kCmdSetupTimeAny) return 0;
    if (!gCurrentScoreWindow) return TimeC::Setup(record);
    {
        std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kNumbersDialog, uint32_t(GetHelpTopic())));
        if (dialog) {
            int32_t top = int32_t(any->numerator) - 2;
            int32_t bottom = int32_t(any->log2Denominator) - 1;
            dialog->NewComboBox(kNumeratorList, kNumerators, &top, 0)->SetHint(u"Top number of time signature");
            dialog->NewComboBox(kDenominatorList, kDenominators, &bottom, 0)
                ->SetHint(u"Bottom number of time signature");
            if (dialog->Open() == RC_OK) {
                any->numerator = uint8_t(top + 2);
                any->log2Denominator = uint8_t(bottom + 1);
            }
        }
    }
    // Cancelling the numbers still leaves the tempo to choose.
    return TimeC::Setup(record);
}

sCommandPrm *TimeAny::GetClassSetup(sCommandPrm *record) {
    auto *any = dynamic_cast<sCmdSetupTimeAny *>(record ? record : new sCmdSetupTimeAny);
    if (!any) return TimeC::GetClassSetup(record);
    TimeC::GetClassSetup(any);
    any->numerator = uint8_t(gDefaultNumerator);
    any->log2Denominator = uint8_t(gDefaultLog2Denominator);
    return any;
}

tStatus TimeAny::SetClassSetup(sCommandPrm *record) {
    sCmdSetupTimeAny *any = AsAnyRecord(record);
    if (!any) return kFailed;
    SetClassTempo(any->tempo);
    gDefaultNumerator = any->numerator;
    gDefaultLog2Denominator = any->log2Denominator;
    if (auto *prototype = dynamic_cast<TimeAny *>(PrototypeById(kClassId)))
        prototype->SetNumbers(any->numerator, any->log2Denominator);
    return 0;
}

sCommandPrm *TimeAny::GetObjectSetup(sCommandPrm *record) {
    auto *any = dynamic_cast<sCmdSetupTimeAny *>(record ? record : new sCmdSetupTimeAny);
    if (!any) return TimeC::GetObjectSetup(record);
    TimeC::GetObjectSetup(any);
    any->numerator = numerator;
    any->log2Denominator = log2Denominator;
    return any;
}

tStatus TimeAny::SetObjectSetup(sCommandPrm *record) {
    sCmdSetupTimeAny *any = AsAnyRecord(record);
    if (!any) return kFailed;
    tempo = any->tempo;
    numerator = any->numerator;
    log2Denominator = any->log2Denominator;
    if (gCurrentScoreWindow) RedrawWholeWindow();
    return 0;
}

cPObjPoint *TimeAny::Draw() {
    TakeRunningTime();
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    if (gDrawBudget == 0) return this;
    --gDrawBudget;
    const int32_t previousMode = gCurrentScoreWindow->SetBackgroundMode(2);
    const int32_t left = x + GetImageBounds()->Left();
    cShapeImg *top = cShapeImg::FindForClass(DigitClass(numerator));
    cShapeImg *bottom = log2Denominator <= 3 ? cShapeImg::FindForClass(DigitClass(1 << log2Denominator)) : nullptr;
    if (top) top->DrawAt(left, y, gCurrentScoreWindow);
    if (bottom) {
        const cRectangl *ink = bottom->GetImageRect();
        bottom->DrawAt(left, y + ink->Bottom() - ink->Top() + 1, gCurrentScoreWindow);
    }
    gCurrentScoreWindow->SetBackgroundMode(previousMode);
    return this;
}

void TimeAny::DrawPicture(int32_t px, int32_t py, cGraphDvc *window) {
    const int32_t dx = px - GetLeft(), dy = py - GetTop();
    MoveXY(dx, dy);
    cGraphDvc *const previous = SetCurrentWindow(window);
    Draw();
    SetCurrentWindow(previous);
    MoveXY(-dx, -dy);
}
