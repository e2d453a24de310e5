#include "staves/percussion_sets.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "document/shape_images.h"
#include "foundation/binary_file.h"
#include "midi/gm_names.h"
#include "midi/midi_track_base.h"
#include "midi/music_track.h"
#include "midi/pitch.h"
#include "platform/ini_file.h"
#include "platform/op_sys_base.h"
#include "staves/part_templates.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/scroll_controls.h"

namespace {

constexpr char16_t kSetTag[] = u"Percussion";
constexpr char16_t kHeadTag[] = u"NoteHead";
constexpr char16_t kInstrumentKey[] = u"Instrument";
constexpr char16_t kNewSetName[] = u"New Percussion Set";
constexpr int32_t kInstrumentCount = kGmPercussionHighKey - kGmPercussionLowKey + 1;
// Key 60 sounds at position 0.
constexpr int32_t kMiddleKey = 60;

// The head kinds: their names in the settings, the head the preview draws
// and the hint of their radio button.
struct sHeadKind {
    int32_t kind;
    const char16_t *name;
    int16_t glyphClass;
    const char16_t *hint;
};
constexpr sHeadKind kHeadKinds[] = {
    {kHeadKindOval, u"Oval", NoteBlack::kClassId, u"Oval note head"},
    {kHeadKindDiamond, u"Diamond", NoteDiamondBlack::kClassId, u"Diamond note head"},
    {kHeadKindTriangle, u"Triangle", NoteTriangleBlack::kClassId, u"Triangle note head"},
    {kHeadKindCross, u"Cross", NoteCross::kClassId, u"Cross note head"},
    {kHeadKindCircleX, u"CircleX", NoteCircleX::kClassId, u"Circled cross note head"},
};
constexpr int32_t kHeadKindCount = int32_t(std::size(kHeadKinds));

const sHeadKind *HeadKind(int32_t kind) {
    int32_t row = kind - kHeadKindOval;
    return row >= 0 && row < kHeadKindCount ? &kHeadKinds[row] : nullptr;
}

cIniFile *Settings() { return gOpSys ? &gOpSys->Settings() : nullptr; }

bool IsSetTag(const std::u16string &tag) { return CompareNoCase(tag.c_str(), kSetTag) == 0; }

// The key of a position in a head kind's section: "Instrument[p]".
const char16_t *PositionKey(cIniFile &node, int32_t position) {
    return node.MakeIndexedKey(kInstrumentKey, position);
}

// Copies the keys and, section by section, the children of one section into
// another; sections of the same tag and name (ignoring case) are merged.
// The source never nests deeper than a settings file may, so neither does
// the copy.
void MergeSection(const cIniFile &from, cIniFile &into) {
    for (const auto &kv : from.Keys()) into.SetValue(kv.first.c_str(), kv.second.c_str());
    for (const cIniFile *child : from.Children())
        if (child) MergeSection(*child, *into.GetSection(child->GetTag().c_str(), child->GetName().c_str()));
}

// Whether a key is one a set holds: "Instrument[p]" with p a decimal number.
bool IsPositionKey(const std::u16string &key) {
    const std::u16string base = std::u16string(kInstrumentKey) + u"[";
    if (key.size() < base.size() + 2 || key.compare(0, base.size(), base) != 0 || key.back() != u']') return false;
    size_t i = base.size();
    if (key[i] == u'-') ++i;
    if (i + 1 == key.size() || key.size() - i > 12) return false;
    for (; i + 1 < key.size(); ++i)
        if (key[i] < u'0' || key[i] > u'9') return false;
    return true;
}

bool IsHeadKindName(const std::u16string &name) {
    for (const sHeadKind &kind : kHeadKinds)
        if (CompareNoCase(name.c_str(), kind.name) == 0) return true;
    return false;
}

// A set read from a score file joins the set of its name in the settings
// with only what a set holds: the head kinds' sections and their position
// keys.  Anything else in a damaged or foreign block (keys the settings
// writer could not write back as keys, such as one that starts a tag line)
// stays out of the user's settings.
void MergeSetFromScore(const cIniFile &set, cIniFile &settings) {
    cIniFile *into = settings.GetSection(kSetTag, set.GetName().c_str());
    if (!into) return;
    for (const cIniFile *head : set.Children()) {
        if (!head || CompareNoCase(head->GetTag().c_str(), kHeadTag) != 0 || !IsHeadKindName(head->GetName())) continue;
        cIniFile *headInto = into->GetSection(kHeadTag, head->GetName().c_str());
        if (!headInto) continue;
        for (const auto &kv : head->Keys())
            if (IsPositionKey(kv.first)) headInto->SetValue(kv.first.c_str(), kv.second.c_str());
    }
}

// The sets of the settings as they were when the dialog opened.  The dialog
// edits the settings in place; its Cancel rests on this copy rather than on
// reading the settings file back, which would drop the edits only when the
// save before the dialog succeeded (a read-only or unnamed settings file
// would keep them) and would also undo unsaved settings of other kinds.
class cSetsSnapshot {
public:
    explicit cSetsSnapshot(cIniFile &settings) {
        for (const cIniFile *set : settings.Children())
            if (set && IsSetTag(set->GetTag())) MergeSection(*set, *copy.GetSection(kSetTag, set->GetName().c_str()));
    }

    // Every set goes and the copies come back, in their old order.
    void Restore(cIniFile &settings) {
        while (settings.RemoveSection(kSetTag, nullptr) >= 0) {
        }
        MergeSection(copy, settings);
    }

private:
    cIniFile copy;
};

// The state of the dialog that is open (the dialog is modal, so there is at
// most one); the event handler's 32-bit data cannot carry a pointer.
cPercussionSetup *gOpenSetup = nullptr;

class cOpenSetup {
public:
    explicit cOpenSetup(cPercussionSetup *setup) : previous(gOpenSetup) { gOpenSetup = setup; }
    ~cOpenSetup() { gOpenSetup = previous; }
    cOpenSetup(const cOpenSetup &) = delete;
    cOpenSetup &operator=(const cOpenSetup &) = delete;

private:
    cPercussionSetup *previous;
};

lcVectorPtr<cPercussionSetup::cMidiLookup> &PercussionSetList() {
    // Made on first use (also from another module's initialiser) and
    // deleted, with every set, after the program's entry returns.
    static lcVectorPtr<cPercussionSetup::cMidiLookup> list;
    return list;
}

}  // namespace

lcVectorPtr<cPercussionSetup::cMidiLookup> &gPercussionSets = PercussionSetList();

int32_t NoteHeadKindOf(int16_t headClassId) {
    if (headClassId >= NoteDiamondWhite::kClassId && headClassId <= NoteDiamondBlackUp::kClassId)
        return kHeadKindDiamond;
    if (headClassId >= NoteTriangleWhite::kClassId && headClassId <= NoteTriangleBlackUp::kClassId)
        return kHeadKindTriangle;
    if (headClassId == NoteCross::kClassId || headClassId == NoteCrossUp::kClassId) return kHeadKindCross;
    if (headClassId == NoteCircleX::kClassId || headClassId == NoteCircleXUp::kClassId) return kHeadKindCircleX;
    return kHeadKindOval;
}

// ---- Compiled sets ------------------------------------------------------------

cPercussionSetup::cMidiLookup::cMidiLookup(const char16_t *setName) : name(setName ? setName : u"") {
    for (auto &row : map)
        for (int32_t p = kLowestPosition; p <= kHighestPosition; ++p) row[p - kLowestPosition] = int8_t(p);
    const cStringArray instruments(InstrumentLines() + 1);
    for (const sHeadKind &kind : kHeadKinds) {
        cIniFile *node = FindSetNode(name.c_str(), kind.kind, 0);
        if (!node) continue;
        int8_t *row = map[kind.kind - kHeadKindOval];
        for (int32_t p = kLowestPosition; p <= kHighestPosition; ++p) {
            const char16_t *value = node->GetValue(PositionKey(*node, p));
            int32_t found = value ? instruments.Find(value) : -1;
            if (found >= 0) row[p - kLowestPosition] = int8_t(kGmPercussionLowKey + found - kMiddleKey);
        }
    }
}

int32_t cPercussionSetup::cMidiLookup::Map(int32_t at, int16_t headClassId) const {
    if (at < kLowestPosition || at > kHighestPosition) return at;
    return map[NoteHeadKindOf(headClassId) - kHeadKindOval][at - kLowestPosition];
}

int32_t cPercussionSetup::MapPosition(int32_t at, int16_t headClassId, const char16_t *setName) {
    if (!setName) return at;
    for (const cMidiLookup *set : gPercussionSets)
        if (set && set->name == setName) return set->Map(at, headClassId);
    return at;
}

void cPercussionSetup::AddLookup(const char16_t *setName) { gPercussionSets.push_back(new cMidiLookup(setName)); }

cIniFile *cPercussionSetup::FindSetNode(const char16_t *setName, int32_t kind, int32_t create) {
    const sHeadKind *head = HeadKind(kind);
    cIniFile *settings = Settings();
    // A set without a name could not be written as a section.
    if (!head || !settings || !setName || !*setName) return nullptr;
    cIniFile *set = settings->FindFirstSection(kSetTag, setName);
    if (!set) {
        if (!create) return nullptr;
        set = settings->GetSection(kSetTag, setName);
    }
    cIniFile *node = set->FindFirstSection(kHeadTag, head->name);
    if (!node && create) node = set->GetSection(kHeadTag, head->name);
    return node;
}

const char16_t *const *cPercussionSetup::InstrumentLines() {
    // The name table holds "  --  " right before the percussion names.
    static_assert(kGmNoName + 1 == kGmPercussionFirst);
    static const std::vector<const char16_t *> lines = [] {
        std::vector<const char16_t *> all(kGmNames + kGmNoName, kGmNames + kGmPercussionFirst + kInstrumentCount);
        all.push_back(nullptr);
        return all;
    }();
    return lines.data();
}

// ---- Sets in score files ------------------------------------------------------

tStatus cPercussionSetup::SaveSets(const cStringArray &names, cBinaryFileBase *file) {
    if (!file) return RC_FAIL;
    std::vector<cIniFile *> sets;
    if (cIniFile *settings = Settings())
        for (const std::u16string &name : names) {
            cIniFile *set = name.empty() ? nullptr : settings->FindFirstSection(kSetTag, name.c_str());
            // Names that differ only in case share one section: written once.
            if (set && std::find(sets.begin(), sets.end(), set) == sets.end()) sets.push_back(set);
        }
    file->WriteU16(uint16_t(std::min<size_t>(sets.size(), 0xFFFF)));
    for (size_t i = 0; i < sets.size() && i < 0xFFFF; ++i) sets[i]->Write(*file);
    return file->HasIoError() ? RC_FAIL : RC_OK;
}

tStatus cPercussionSetup::LoadSets(cBinaryFileBase *file) {
    if (!file || file->BytesLeft() < 2) return RC_FAIL;
    uint16_t count = 0;
    file->ReadU16(count);
    // Every section is read whole before any is merged, so a damaged block
    // changes nothing.  Each is read on its own top level: as deep as a
    // settings file may nest, in UTF-16 whatever the settings file was.
    std::vector<std::unique_ptr<cIniFile>> read;
    for (uint32_t i = 0; i < count; ++i) {
        auto holder = std::make_unique<cIniFile>();
        holder->SetAnsi(false);
        if (holder->ReadSection(*file) < 0 || holder->Children().size() != 1) return RC_FAIL;
        const cIniFile *set = holder->Children().front();
        std::u16string closeTag, unusedName;
        // A section that ran to the end of the file without its closing
        // line was cut short.
        if (!set || !IsSetTag(set->GetTag()) || set->GetName().empty() ||
            set->ParseTagLine(cIniFile::LineBuffer(), closeTag, unusedName) != INI_CLOSE_TAG)
            return RC_FAIL;
        read.push_back(std::move(holder));
    }
    cIniFile *settings = Settings();
    if (!settings) return RC_FAIL;
    for (const auto &holder : read) MergeSetFromScore(*holder->Children().front(), *settings);
    return RC_OK;
}

// ---- The dialog ---------------------------------------------------------------

cPercussionSetup::cPercussionSetup(cMusicTrack *output) : player(output) {}

cPercussionSetup::~cPercussionSetup() = default;

void cPercussionSetup::ReadSetNames() {
    if (cIniFile *settings = Settings())
        settings->GetStringList(kSetTag, setNames);
    else
        setNames.clear();
    if (setNames.empty()) setNames.Add(kNewSetName);
}

int32_t cPercussionSetup::Dialog(cGraphDvc *window) {
    cIniFile *settings = Settings();
    if (!window || !settings) return 0;
    std::unique_ptr<cDialogBox> dialog(window->NewDialogBox(kDialogId, kHelpTopic));
    if (!dialog) return 0;
    ReadSetNames();
    if (setIndex < 0 || setIndex >= setNames.Size()) setIndex = 0;
    dialog->NewComboBoxFromList(kSetList, &setNames, &setIndex, 0)->SetHint(u"Instrument sets");
    dialog->NewPushButton(kDeleteButton)->SetHint(u"Delete instrument set");
    for (const sHeadKind &head : kHeadKinds)
        dialog->NewRadioButton(uint32_t(head.kind), &headKind, head.kind)->SetHint(head.hint);
    dialog->NewListBox(kInstrumentList, InstrumentLines(), &instrument, 0)->SetHint(u"Select instrument");
    dialog->AddControl(new cPercOwnerDraw(dialog.get(), kPreview, *this));
    dialog->NewVertScroll(kSlider, &position, kSliderTop, kSliderBottom)
        ->SetHint(u"Move the slider to select position");
    dialog->NewPushButton(kAddButton)->SetHint(u"Add instrument");
    dialog->NewPushButton(kRemoveButton)->SetHint(u"Remove instrument");
    dialog->SetControlBuddy(kPreview, kSlider);
    dialog->SetEventHandler(OnDialogEvent, 0);

    cSetsSnapshot before(*settings);
    // The file holds the state before the dialog, also for a later session.
    settings->Save(nullptr);
    tStatus result;
    {
        cOpenSetup open(this);
        result = dialog->Open();
    }
    if (result == RC_OK) {
        settings->Save(nullptr);
        gPercussionSets.DeleteAll();
        for (const std::u16string &name : setNames) AddLookup(name.c_str());
    } else {
        before.Restore(*settings);
    }
    return 0;
}

int32_t cPercussionSetup::OnDialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog, uint32_t) {
    return gOpenSetup && dialog ? gOpenSetup->DialogEvent(controlId, code, dialog) : 0;
}

int32_t cPercussionSetup::DialogEvent(uint32_t controlId, int32_t code, cMessageDvcBase *dialog) {
    if (!dialog) return 0;
    for (cGuiControl *control : dialog->Controls())
        if (control) control->ReleaseDraw();
    const char16_t *shown = dialog->GetControlText(kSetList);
    const std::u16string setName = shown ? shown : u"";
    // Any event creates a set whose name was just typed.
    cIniFile *node = FindSetNode(setName.c_str(), headKind, 1);
    ReadSetNames();
    int32_t named = setNames.Find(setName.c_str());
    if (named >= 0) setIndex = named;
    for (cGuiControl *control : dialog->Controls())
        if (control) control->PrepareDraw();

    const bool click = code == kDialogEventClick;
    bool refresh = controlId == kSlider;
    switch (controlId) {
    case kInstrumentList:
        if (code == kDialogEventSelect) SoundInstrument();
        break;
    case kSetList:
        refresh = code == kDialogEventSelect;
        break;
    case kPreview:
        if (code == kDialogEventInit)
            if (cGuiControl *preview = dialog->FindControl(kPreview)) preview->SetFontIndex(gMusicFontIndex);
        break;
    case kAddButton:
        if (click && node)
            node->SetValue(PositionKey(*node, kMiddleKey - position), dialog->GetControlText(kInstrumentList));
        break;
    case kRemoveButton:
        if (click && node) {
            node->SetOrRemove(PositionKey(*node, kMiddleKey - position), nullptr);
            dialog->SetControlInt(kInstrumentList, 0);
        }
        break;
    case kDeleteButton:
        if (click && setNames.Size() > 1) {
            if (cIniFile *settings = Settings()) settings->RemoveSection(kSetTag, setName.c_str());
            ReadSetNames();
            if (setIndex >= setNames.Size()) setIndex = setNames.Size() - 1;
            for (cGuiControl *control : dialog->Controls())
                if (control) control->PrepareDraw();
        }
        break;
    default:
        if (HeadKind(int32_t(controlId)) && click) {
            if (cGuiControl *preview = dialog->FindControl(kPreview)) preview->InvalidateAll();
            refresh = true;
        }
        break;
    }
    if (refresh) RefreshInstrument(dialog, node);
    return 0;
}

void cPercussionSetup::RefreshInstrument(cMessageDvcBase *dialog, cIniFile *node) {
    const char16_t *stored = node ? node->GetValue(PositionKey(*node, kMiddleKey - position)) : nullptr;
    int32_t line = 0;
    if (stored && *stored) {
        const char16_t *const *lines = InstrumentLines();
        for (int32_t i = 0; lines[i]; ++i)
            if (CompareNoCase(lines[i], stored) == 0) {
                line = i;
                break;
            }
    }
    dialog->SetControlInt(kInstrumentList, line);
}

void cPercussionSetup::SoundInstrument() {
    // No player means no MIDI output: nothing to sound.
    if (!player || player->GetPlayState() != 0) return;
    const int32_t offset = instrument - (kMiddleKey - kGmPercussionLowKey + 1);
    if (offset < kLowestPosition || offset > kHighestPosition) return;
    auto *midi = dynamic_cast<cMidiTrackBase *>(player);
    player->ResetState();
    player->Reset();
    if (midi) midi->SetNotifyWindow(nullptr);
    gTicksPerQuarter = 480;
    player->PutTempo(120);
    player->PutProgramChange(0, 0);
    player->SetChannel(9);
    // An eighth note at tempo 120.
    player->PutNote(SemitoneToPitch(offset, 0), 0, 240);
    player->PutEndOfTrack();
    if (midi) midi->Play();
}

// ---- The preview ----------------------------------------------------------------

cPercussionSetup::cPercOwnerDraw::cPercOwnerDraw(cMessageDvcBase *ownerWindow, uint32_t controlId,
                                                 const cPercussionSetup &state)
    : cStaticOwnerDraw(ownerWindow, controlId, nullptr, 0), setup(state) {}

tStatus cPercussionSetup::cPercOwnerDraw::OnPaint(sWinMessage &record) {
    const auto *area = reinterpret_cast<const sDeviceBox *>(record.lParam);
    if (!area) return RC_OK;
    const int32_t w = area->right - area->left, h = area->bottom - area->top;
    const int32_t s = cStaffBase::CurrentLineSpacing();
    const int32_t xc = area->left + w / 2, yc = area->top + h / 2;
    // The slider tells its buddy every value it takes.
    const int32_t v = GetDrawValue();
    EraseRect(area->left, area->top, w, h);
    for (int32_t i = -2; i <= 2; ++i) DrawLine(area->left, yc + i * s, area->right, yc + i * s);
    if (cShapeImg *clef = cShapeImg::FindForClass(ClefPercussion1::kClassId)) clef->DrawAt(area->left + 6, yc, this);
    // Ledger lines from the staff out to the head.
    const int32_t n = (v - kMiddleKey) / 2;
    for (int32_t i = n; i < -2; ++i) DrawLine(xc - 6, yc + i * s, xc + 6, yc + i * s);
    for (int32_t i = n; i > 2; --i) DrawLine(xc - 6, yc + i * s, xc + 6, yc + i * s);
    const sHeadKind *head = HeadKind(setup.headKind);
    if (cShapeImg *glyph = cShapeImg::FindForClass(head ? head->glyphClass : NoteBlack::kClassId))
        glyph->DrawAt(xc, yc + (v - kMiddleKey) * (s / 2), this);
    return RC_OK;
}
