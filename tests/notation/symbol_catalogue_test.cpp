// The catalogue of the music classes: every class's id, persistent name,
// family bits, help topic and duration; one prototype per id after the
// build; the note constants and what new notes take from their prototype;
// the held note's bits of attachments; the few behaviours the catalogue
// fixes (glyph symbols' attach point, moves and drag start, dots' hit test,
// the end links' attach targets, a beam end drawing nothing); the music-font
// check; pictures and hints kept by a second build; the bitmap reload.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "document/registry.h"
#include "foundation/path_names.h"
#include "platform/op_sys_base.h"
#include "tests/notation/catalogue_fixture.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"

namespace {

using test::CatalogueTest;
using test::RaisedErrors;

// The catalogue as the program's documentation gives it: id | persistent
// name | family bits ("+note": also the held note's) | help topic ("-": 0) |
// duration ("family": worked out by the family, "-": 0).
const char kCatalogue[] = R"(
17 | Note164 | Note | 1025 | 30
18 | Note164Up | Note | 1025 | 30
19 | Note132 | Note | 1025 | 60
20 | Note132Up | Note | 1025 | 60
21 | Note116 | Note | 1025 | 120
22 | Note116Up | Note | 1025 | 120
23 | Note18 | Note | 1025 | 240
24 | Note18Up | Note | 1025 | 240
25 | Note14 | Note | 1025 | 480
26 | Note14Up | Note | 1025 | 480
27 | Note12 | Note | 1025 | 960
28 | Note12Up | Note | 1025 | 960
29 | Note11 | Note | 1025 | 1920
30 | Dot | Dot +note | 1025 | -
31 | DblDot | Dot +note | 1025 | -
32 | NoteBeam | Beam +note | 1000 | family
33 | TieSlur | Tie +note | 1051 | family
34 | Chord | Note+Chord | 1019 | family
35 | Tuplet1 | Beam +note | 1025 | family
36 | GraceNote1 | Ornament +note | 1025 | family
37 | Slur | - | - | -
38 | Tie | Tie | 1051 | family
39 | Tied | Tie +note | 1051 | family
40 | Beamed | Beam +note | 1000 | family
41 | Beam | Beam | 1000 | -
42 | GraceNote | Ornament +note | - | family
43 | NoteBlack | Note | 1025 | -
44 | NoteBlackUp | Note | 1025 | -
45 | NoteWhite | Note | 1025 | -
46 | NoteWhiteUp | Note | 1025 | -
47 | MusicFontNoteClass | Note | 1025 | -
48 | NoteCross | Note | 1025 | -
49 | NoteCrossUp | Note | 1025 | -
50 | NoteTriangleWhite | Note | 1025 | -
51 | NoteTriangleWhiteUp | Note | 1025 | -
52 | NoteTriangleBlack | Note | 1025 | -
53 | NoteTriangleBlackUp | Note | 1025 | -
54 | NoteDiamondWhite | Note | 1025 | -
55 | NoteDiamondWhiteUp | Note | 1025 | -
56 | NoteDiamondBlack | Note | 1025 | -
57 | NoteDiamondBlackUp | Note | 1025 | -
58 | NoteCircleX | Note | 1025 | -
59 | NoteCircleXUp | Note | 1025 | -
60 | NoteFlag8 | Note | 1025 | -
61 | NoteFlag8Up | Note | 1025 | -
62 | NoteFlag16 | Note | 1025 | -
63 | NoteFlag16Up | Note | 1025 | -
64 | NoteFlag32 | Note | 1025 | -
65 | NoteFlag32Up | Note | 1025 | -
66 | NoteFlag64 | Note | 1025 | -
67 | NoteFlag64Up | Note | 1025 | -
68 | GraceNoteHead | Note | 1025 | 60
69 | Tuplet | Beam | 1025 | -
70 | Tuplet2 | Beam +note | 1025 | family
71 | GraceNote2 | Ornament +note | 1025 | family
72 | Rest164 | Rest | 1026 | 30
73 | Rest132 | Rest | 1026 | 60
74 | Rest116 | Rest | 1026 | 120
75 | Rest18 | Rest | 1026 | 240
76 | Rest14 | Rest | 1026 | 480
77 | Rest12 | Rest | 1026 | 960
78 | Rest11 | Rest | 1026 | 1920
79 | Natural | Accidental +note | 1017 | family
80 | Sharp | Accidental +note | 1017 | family
81 | Flat | Accidental +note | 1017 | family
82 | DoubleSharp | Accidental +note | 1017 | family
83 | DoubleFlat | Accidental +note | 1017 | family
84 | Stacatto | Ornament +note | 1017 | family
85 | Dash | Ornament +note | 1017 | family
86 | Accent | Ornament +note | 1017 | family
87 | UpBow | Ornament +note | 1017 | family
88 | DownBow | Ornament +note | 1017 | family
89 | trill | Ornament +note | 1017 | family
90 | mordent1 | Ornament +note | 1017 | family
91 | mordent2 | Ornament +note | 1017 | family
92 | TurnUp | Ornament +note | 1017 | family
93 | TurnDown | Ornament +note | 1017 | family
94 | Fermata | Ornament +note | 1017 | family
95 | FermataUp | Ornament +note | 1017 | family
96 | ClefPercussion1 | Clef | 1020 | family
97 | ClefPercussion2 | Clef | 1020 | family
98 | ClefAlto | Clef | 1020 | family
99 | ClefTenor | Clef | 1020 | family
100 | ClefG8 | Clef | 1020 | family
101 | ClefG | Clef | 1020 | family
102 | ClefF | Clef | 1020 | family
103 | KeySigC | Key | 1020 | family
104 | KeySig1Sharp | Key | 1020 | family
105 | KeySig2Sharp | Key | 1020 | family
106 | KeySig3Sharp | Key | 1020 | family
107 | KeySig4Sharp | Key | 1020 | family
108 | KeySig5Sharp | Key | 1020 | family
109 | KeySig6Sharp | Key | 1020 | family
110 | KeySig7Sharp | Key | 1020 | family
111 | KeySig1Flat | Key | 1020 | family
112 | KeySig2Flat | Key | 1020 | family
113 | KeySig3Flat | Key | 1020 | family
114 | KeySig4Flat | Key | 1020 | family
115 | KeySig5Flat | Key | 1020 | family
116 | KeySig6Flat | Key | 1020 | family
117 | KeySig7Flat | Key | 1020 | family
118 | Time28 | Time | 1029 | family
119 | Time38 | Time | 1029 | family
120 | Time48 | Time | 1029 | family
121 | Time24 | Time | 1029 | family
122 | Time34 | Time | 1029 | family
123 | Time44 | Time | 1029 | family
124 | Time68 | Time | 1029 | family
125 | TimeC | Time | 1029 | family
126 | TimeC2 | Time | 1029 | family
127 | TimeAny | Time | 1029 | family
128 | MMSym | Text | 1029 | -
129 | Time0Dig | - | - | -
130 | Time1Dig | - | - | -
131 | Time2Dig | - | - | -
132 | Time3Dig | - | - | -
133 | Time4Dig | - | - | -
134 | Time5Dig | - | - | -
135 | Time6Dig | - | - | -
136 | Time7Dig | - | - | -
137 | Time8Dig | - | - | -
138 | Time9Dig | - | - | -
139 | DynamicMF | - | 1021 | -
140 | DynamicF | - | 1021 | -
141 | DynamicFF | - | 1021 | -
142 | DynamicFFF | - | 1021 | -
143 | DynamicMP | - | 1021 | -
144 | DynamicP | - | 1021 | -
145 | DynamicPP | - | 1021 | -
146 | DynamicPPP | - | 1021 | -
147 | DynamicSf | - | 1021 | -
148 | DynamicFz | - | 1021 | -
149 | Crescendo | - | 1021 | -
150 | Diminuendo | - | 1021 | -
151 | Sign1 | Sign | 1018 | -
152 | Sign2 | Sign | 1018 | -
153 | Coda | Sign | 1018 | -
154 | TextDS | Sign | 1018 | -
155 | TextDC | Sign | 1018 | -
156 | TextFine | Sign | 1018 | -
157 | TextDSFine | Sign | 1018 | -
158 | TextDCFine | Sign | 1018 | -
159 | TextDSCoda | Sign | 1018 | -
160 | TextDCCoda | Sign | 1018 | -
161 | Simile1 | - | 1021 | -
162 | TextPedal | - | 1021 | -
163 | TextPedalUp | - | 1021 | -
164 | Text8va | - | 1021 | -
165 | Text8vb | - | 1021 | -
166 | SingleBar | Bar | 1018 | -
167 | DoubleBar | Bar | 1018 | -
168 | LeftDoubleBar | Bar | 1018 | -
169 | RightDoubleBar | Bar | 1018 | -
170 | LeftRepeatBar | Bar | 1018 | -
171 | RightRepeatBar | Bar | 1018 | -
172 | DoubleBarRepeat | Bar | 1018 | -
173 | RepeatEnding12 | Sign+Ending | 1018 | -
174 | RepeatDrawEnding | Sign+Ending | 1018 | -
175 | MusicChar | Text | 1028 | -
176 | ChordName | Text, ChordText | 1013 | -
177 | MusicLine | - | 1023 | -
178 | MusicText | Text | 1028 | -
179 | MusicSing | Text | 1024 | -
180 | MusicStaticText | Text | - | -
181 | StaffBase | Staff | 1049 | -
182 | MusicPageBreak | PageBreak | 1045 | -
183 | Brace | Staff | 1049 | -
184 | Staff | Staff | 1049 | -
185 | MusicBlock | BlockMark | 1001 | -
186 | Score | - | - | -
)";

struct sRow {
    int16_t id;
    std::u16string name;
    uint32_t bits;
    bool withNote;
    int32_t help;
    int32_t duration;  // -1: the family's
};

uint32_t BitsOf(const std::string &word) {
    static const std::pair<const char *, uint32_t> kWords[] = {
        {"Note", 0x10},      {"Chord", 0x20},     {"Rest", 0x40},         {"Clef", 0x80},      {"Key", 0x100},
        {"Dot", 0x200},      {"Accidental", 0x400}, {"Time", 0x800},      {"Bar", 0x1000},     {"Staff", 0x2000},
        {"Text", 0x2},       {"ChordText", 0x4000}, {"Tie", 0x8000},      {"Beam", 0x10000},   {"Ornament", 0x20000},
        {"Sign", 0x40000},   {"Ending", 0x80000}, {"BlockMark", 0x4},     {"PageBreak", 0x8},
    };
    for (auto &[w, b] : kWords)
        if (word == w) return b;
    ADD_FAILURE() << "unknown family word " << word;
    return 0;
}

std::string Trim(const std::string &s) {
    const auto a = s.find_first_not_of(' ');
    const auto b = s.find_last_not_of(' ');
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

std::vector<sRow> CatalogueRows() {
    std::vector<sRow> rows;
    std::istringstream in(kCatalogue);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> cells;
        std::istringstream cellStream(line);
        std::string cell;
        while (std::getline(cellStream, cell, '|')) cells.push_back(Trim(cell));
        sRow row{};
        row.id = int16_t(std::stoi(cells.at(0)));
        row.name.assign(cells.at(1).begin(), cells.at(1).end());
        std::string bits = cells.at(2);
        if (auto at = bits.find("+note"); at != std::string::npos) {
            row.withNote = true;
            bits.erase(at);
        }
        std::string word;
        for (char c : bits + " ") {
            if (c == ' ' || c == ',' || c == '+') {
                if (!word.empty() && word != "-") row.bits |= BitsOf(word);
                word.clear();
            } else {
                word += c;
            }
        }
        row.help = cells.at(3) == "-" ? 0 : std::stoi(cells.at(3));
        row.duration = cells.at(4) == "family" ? -1 : cells.at(4) == "-" ? 0 : std::stoi(cells.at(4));
        rows.push_back(row);
    }
    return rows;
}

std::string Narrow(const std::u16string &s) { return std::string(s.begin(), s.end()); }

TEST_F(CatalogueTest, EveryClassAnswersItsCatalogueEntry) {
    Build();
    const std::vector<sRow> rows = CatalogueRows();
    ASSERT_EQ(rows.size(), 170u);
    int16_t expectedId = 17;
    for (const sRow &row : rows) {
        SCOPED_TRACE(Narrow(row.name));
        EXPECT_EQ(row.id, expectedId++);
        cPObjPoint *prototype = cPObjBase::PrototypeById(row.id);
        ASSERT_NE(prototype, nullptr);
        EXPECT_EQ(prototype->GetTypeId(), row.id);
        EXPECT_EQ(std::u16string(prototype->GetTypeName()), row.name);
        EXPECT_EQ(cPObjBase::PrototypeByName(row.name.c_str()), prototype);
        // Without a held note the bits are the family's own.
        EXPECT_EQ(prototype->GetTypeFlags(0), row.bits);
        EXPECT_EQ(prototype->GetTypeFlags(row.id), row.bits | kTypeIdMatch);
        EXPECT_EQ(prototype->GetTypeFlags(int16_t(row.id == 17 ? 18 : 17)), row.bits);
        EXPECT_EQ(prototype->GetHelpTopic(), row.help);
        // A family's duration comes from what the symbol holds: nothing yet.
        EXPECT_EQ(prototype->GetDurationTicks(), row.duration < 0 ? 0 : row.duration);

        // A new object of the class is another object of the same class.
        cPObjPoint *copy = cPObjPoint::NewSameClassNamed(prototype);
        ASSERT_NE(copy, prototype);
        EXPECT_EQ(copy->GetTypeId(), row.id);
        EXPECT_EQ(std::u16string(copy->GetClassName()), row.name);
        delete copy;
    }
}

// Attachments and two-ended symbols answer their bits with those of the note
// they hold; a dot holding a note is a dot and a note.
TEST_F(CatalogueTest, HeldNoteBitsJoinTheFamilyBits) {
    Build();
    for (const sRow &row : CatalogueRows()) {
        if (!row.withNote) continue;
        SCOPED_TRACE(Narrow(row.name));
        auto *holder = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(row.id));
        ASSERT_NE(holder, nullptr);
        ASSERT_TRUE(holder->AddChild(cPObjBase::NewById(23)));
        EXPECT_EQ(holder->GetTypeFlags(0), row.bits | kTypeNote);
        delete holder;
    }
    // Held bits go up through nested holders: a dot inside a tie.
    auto *tie = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(33));
    auto *dot = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(30));
    ASSERT_TRUE(dot->AddChild(cPObjBase::NewById(23)));
    EXPECT_EQ(dot->GetTypeFlags(0), 0x210u);
    ASSERT_TRUE(tie->AddChild(dot));
    EXPECT_EQ(tie->GetTypeFlags(33), 0x8210u | kTypeIdMatch);
    delete tie;
}

TEST_F(CatalogueTest, EveryIdHasExactlyOnePrototype) {
    Build();
    EXPECT_EQ(cPObjBase::VerifyRegistry(), 0);
    EXPECT_EQ(gLastClassId, 186);
    std::set<cPObjPoint *> seen;
    for (int16_t id = 1; id <= 186; ++id) {
        cPObjPoint *prototype = cPObjBase::PrototypeById(id);
        ASSERT_NE(prototype, nullptr) << id;
        EXPECT_EQ(prototype->GetTypeId(), id);
        EXPECT_TRUE(seen.insert(prototype).second) << id;
    }
    EXPECT_EQ(cPObjBase::PrototypeById(187), nullptr);
}

// The default hints by id ranges.
const std::pair<std::vector<std::pair<int, int>>, const char16_t *> kHints[] = {
    {{{17, 29}, {43, 67}, {129, 138}}, u"Select or place notes"},
    {{{30, 31}}, u"Select or place dots"},
    {{{32, 32}, {40, 41}}, u"Select or place beams"},
    {{{33, 33}, {37, 39}}, u"Select or place slurs or ties"},
    {{{34, 34}}, u"Select or place chords"},
    {{{35, 35}, {69, 70}}, u"Select or place tuplets"},
    {{{36, 36}, {42, 42}, {68, 68}, {71, 71}}, u"Select or place grace notes"},
    {{{72, 78}}, u"Select or place rests"},
    {{{79, 83}}, u"Select or place accidentals"},
    {{{84, 88}}, u"Select or place articulations"},
    {{{89, 95}}, u"Select or place ornaments"},
    {{{96, 102}}, u"Select or place clefs"},
    {{{103, 117}}, u"Select or place key signatures"},
    {{{118, 126}}, u"Select or place time signatures"},
    {{{127, 127}}, u"Variable time signature, use SETUP/DRAW"},
    {{{128, 128}}, u"Select or place M.M."},
    {{{139, 148}}, u"Select or place dynamics"},
    {{{149, 149}}, u"Select or place crescendos"},
    {{{150, 150}}, u"Select or place decrescendos"},
    {{{151, 165}}, u"Select or place symbols"},
    {{{166, 172}}, u"Select or place bar lines"},
    {{{173, 174}}, u"Select or place 1st/2nd Endings"},
    {{{175, 175}}, u"Select or place text characters"},
    {{{176, 176}}, u"Select or place chord symbols"},
    {{{177, 177}}, u"Select or place lines"},
    {{{178, 178}, {180, 180}}, u"Select or place text"},
    {{{179, 179}}, u"Select or place song lyrics"},
    {{{181, 181}, {184, 184}}, u"Select or place staves"},
    {{{182, 182}}, u"Select or place page breaks"},
    {{{183, 183}}, u"Select or place braces"},
    {{{185, 185}}, u"Select or place block markers"},
    {{{186, 186}}, u"Select or place score"},
};

std::u16string DefaultHint(int16_t id) {
    for (auto &[ranges, hint] : kHints)
        for (auto [lo, hi] : ranges)
            if (id >= lo && id <= hi) return hint;
    return u"?";
}

std::u16string HintOf(int16_t id) {
    const char16_t *hint = cPObjBase::PrototypeById(id)->GetHint();
    return hint ? hint : u"";
}

// The first build gives every class its hint; a second build keeps the
// pictures (and asks for no font again) but its prototypes have no hints
// until the hints are reset.
TEST_F(CatalogueTest, ASecondBuildKeepsThePicturesAndLeavesHintsToTheReset) {
    Build();
    std::vector<cShapeImg *> pictures;
    for (int16_t id = 17; id <= 186; ++id) {
        EXPECT_EQ(HintOf(id), DefaultHint(id)) << id;
        pictures.push_back(cShapeImg::ForClass(id));
        EXPECT_NE(pictures.back(), nullptr) << id;
    }
    const uint32_t live = gLiveSymbolCount;

    CreateSymbolRegistry();
    EXPECT_EQ(gLiveSymbolCount, live);  // the old prototypes went
    EXPECT_EQ(cPObjBase::VerifyRegistry(), 0);
    for (int16_t id = 17; id <= 186; ++id) {
        EXPECT_EQ(cShapeImg::ForClass(id), pictures[size_t(id - 17)]) << id;
        EXPECT_EQ(HintOf(id), u"") << id;
    }
    // The base classes' hints are not the catalogue's to give.
    const std::u16string baseHint = HintOf(2);

    cPObjBase::PrototypeById(40)->SetHint(u"changed");
    ResetSymbolHints();
    for (int16_t id = 17; id <= 186; ++id) EXPECT_EQ(HintOf(id), DefaultHint(id)) << id;
    EXPECT_EQ(HintOf(2), baseHint);
}

// Head, flag and stem of every note class and note glyph class.
struct sNoteCase {
    int16_t id;
    int16_t head;
    int16_t flag;
    int32_t stem;
};
const sNoteCase kNoteCases[] = {
    {17, 43, 66, 23}, {18, 44, 67, -23}, {19, 43, 64, 22}, {20, 44, 65, -22}, {21, 43, 62, 20}, {22, 44, 63, -20},
    {23, 43, 60, 20}, {24, 44, 61, -20}, {25, 43, 0, 20},  {26, 44, 0, -20},  {27, 45, 0, 20},  {28, 46, 0, -20},
    {29, 29, 0, 0},   {68, 68, 0, 0},    {47, 43, 0, 20},
};
const int16_t kStemDownGlyphs[] = {43, 45, 48, 50, 52, 54, 56, 58, 60, 62, 64, 66};
const int16_t kStemUpGlyphs[] = {44, 46, 49, 51, 53, 55, 57, 59, 61, 63, 65, 67};

MusicBitMapNote *NoteOf(cPObjPoint *obj) { return dynamic_cast<MusicBitMapNote *>(obj); }

TEST_F(CatalogueTest, NoteClassesStartWithTheirConstants) {
    Build();
    std::vector<sNoteCase> cases(std::begin(kNoteCases), std::end(kNoteCases));
    for (int16_t id : kStemDownGlyphs) cases.push_back({id, 43, 0, 20});
    for (int16_t id : kStemUpGlyphs) cases.push_back({id, 44, 0, -20});
    for (const sNoteCase &c : cases) {
        SCOPED_TRACE(c.id);
        MusicBitMapNote *prototype = NoteOf(cPObjBase::PrototypeById(c.id));
        ASSERT_NE(prototype, nullptr);
        EXPECT_EQ(prototype->GetHeadGlyph(), c.head);
        EXPECT_EQ(prototype->GetFlagGlyph(), c.flag);
        EXPECT_EQ(prototype->GetStemLength(), c.stem);
    }
}

// New notes take head, flag and stem from their class's prototype (a
// note-head set-up changes the prototype); note glyphs take nothing.
TEST_F(CatalogueTest, NewNotesTakeTheirPrototypesHead) {
    Build();
    MusicBitMapNote *eighthUp = NoteOf(cPObjBase::PrototypeById(24));
    ASSERT_NE(eighthUp, nullptr);
    MusicBitMapNote *copy = NoteOf(eighthUp->NewSameClass());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->GetTypeId(), 24);
    EXPECT_EQ(copy->GetHeadGlyph(), 44);
    EXPECT_EQ(copy->GetFlagGlyph(), 61);
    EXPECT_EQ(copy->GetStemLength(), -20);
    delete copy;

    for (int16_t id : {int16_t(24), int16_t(29), int16_t(68)}) {
        SCOPED_TRACE(id);
        MusicBitMapNote *prototype = NoteOf(cPObjBase::PrototypeById(id));
        prototype->SetHeadGlyph(51);
        prototype->SetFlagGlyph(7);
        prototype->SetStemLength(-31);
        MusicBitMapNote *made = NoteOf(cPObjBase::NewById(id));
        EXPECT_EQ(made->GetHeadGlyph(), 51);
        EXPECT_EQ(made->GetFlagGlyph(), 7);
        EXPECT_EQ(made->GetStemLength(), -31);
        delete made;
    }
    MusicBitMapNote *glyph = NoteOf(cPObjBase::PrototypeById(49));
    glyph->SetHeadGlyph(51);
    glyph->SetStemLength(5);
    MusicBitMapNote *made = NoteOf(cPObjBase::NewById(49));
    EXPECT_EQ(made->GetHeadGlyph(), 44);
    EXPECT_EQ(made->GetStemLength(), -20);
    delete made;
}

// A staff stand-in that notes how its context was run.
class cContextOwner : public test::cListOwner {
public:
    using cListOwner::cListOwner;
    void RunContext(int32_t px, int32_t flags, sCommandPrm *record) override {
        runs.push_back({px, flags});
        records.push_back(record);
    }
    void PlaceCentered(cMusicBase *symbol) override { symbol->y = middleLine; }
    std::vector<std::pair<int32_t, int32_t>> runs;
    std::vector<sCommandPrm *> records;
    int32_t middleLine = 60;
};

// Time signatures dropped into a staff stand on its middle line whatever y
// they were dropped at; elsewhere, and other glyphs, stay where dropped.
TEST_F(CatalogueTest, TimeSignaturesDroppedIntoAStaffStandOnItsMiddleLine) {
    Build();
    struct sCase {
        int16_t id;
        int16_t ownerId;
        int32_t y;
    };
    const sCase cases[] = {
        {123, 184, 60}, {118, 184, 60}, {125, 184, 60},  // 4/4, 2/8, common time: centred
        {123, 183, 17},                                   // not in a staff
        {74, 184, 17},  {101, 184, 17},                   // a rest and a clef are no centred symbols
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(c.id);
        cContextOwner owner(c.ownerId);
        cPObjPoint *glyph = cPObjBase::NewById(c.id);
        glyph->SetPosition(40, 17);
        ASSERT_TRUE(owner.InsertChild(glyph));
        EXPECT_EQ(glyph->y, c.y);
        EXPECT_EQ(glyph->x, 40);
    }
}

// Glyph symbols (rests, dynamics, signs) move sideways only, but for the
// resize mode, and re-run their staff's context when a drag starts.  Clefs
// and time signatures keep their height in every mode (clefs_keys_test.cpp,
// rests_time_test.cpp).
TEST_F(CatalogueTest, GlyphSymbolsMoveSidewaysAndRunTheirStaffBeforeADrag) {
    Build();
    for (int16_t id : {int16_t(74), int16_t(140), int16_t(151)}) {
        SCOPED_TRACE(id);
        cPObjPoint *glyph = cPObjBase::NewById(id);
        glyph->SetPosition(100, 50);
        gEditMode = kEditMove;
        glyph->MoveBy(7, -9);
        EXPECT_EQ(glyph->x, 107);
        EXPECT_EQ(glyph->y, 50);
        gEditMode = kEditResize | kEditBlock;
        glyph->MoveBy(-2, -9);
        EXPECT_EQ(glyph->x, 105);
        EXPECT_EQ(glyph->y, 41);
        gEditMode = 0;

        cContextOwner staff(184);
        cContextOwner system(183);
        ASSERT_TRUE(system.InsertChild(glyph));
        glyph->BeginDrag(105, 41, kHitMove);
        EXPECT_TRUE(system.runs.empty());  // only a staff runs a context
        system.RemoveChild(glyph);
        ASSERT_TRUE(staff.InsertChild(glyph));
        glyph->BeginDrag(105, 41, kHitMove);
        ASSERT_EQ(staff.runs.size(), 1u);
        EXPECT_EQ(staff.runs[0], std::make_pair(105, -1));
        EXPECT_EQ(staff.records[0], nullptr);
        glyph->EndDrag();
    }
}

// The attach point of a glyph symbol is the middle of its picture, not its
// position.
TEST_F(CatalogueTest, AGlyphAttachesAtTheMiddleOfItsPicture) {
    Build();
    for (int16_t id : {int16_t(151), int16_t(77), int16_t(102)}) {
        SCOPED_TRACE(id);
        cPObjPoint *glyph = cPObjBase::NewById(id);
        glyph->SetPosition(100, 50);
        cShapeImg *picture = cShapeImg::ForClass(id);
        const int32_t left = picture->LeftAt(100);
        const int32_t right = picture->RightAt(100);
        EXPECT_EQ(glyph->GetAttachX(), left + (right - left + 1) / 2);
        delete glyph;
    }
}

TEST_F(CatalogueTest, HitTestFlagsOfDotsAndMarks) {
    Build();
    for (auto [id, flags] : {std::pair<int16_t, uint32_t>{30, 8}, {31, 8}, {42, 2}, {80, 2}}) {
        auto *owner = dynamic_cast<cPObjOwnBase *>(cPObjBase::PrototypeById(id));
        ASSERT_NE(owner, nullptr) << id;
        EXPECT_EQ(owner->GetHitTestFlags(), flags) << id;
    }
}

// A note inside an accent inside a tie: a beam or tuplet end passes symbols
// up to the accent (notes and ornaments, short of the tie); a grace-note end
// keeps them at the note (an ornament stops it).
TEST_F(CatalogueTest, EndLinksAttachToTheirNotesOuterUnit) {
    Build();
    auto *tie = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(33));
    auto *accent = dynamic_cast<cPObjOwnBase *>(cPObjBase::NewById(86));
    cPObjPoint *note = cPObjBase::NewById(23);
    tie->SetUnitFlag(1);
    accent->SetUnitFlag(1);
    ASSERT_TRUE(accent->InsertChild(note));
    ASSERT_TRUE(tie->InsertChild(accent));
    for (int16_t id : {int16_t(40), int16_t(70), int16_t(71), int16_t(39)}) {
        auto *link = dynamic_cast<cPObjOwnBase *>(cPObjBase::PrototypeById(id));
        cPObjPoint *expected = id == 71 ? note : id == 39 ? note : static_cast<cPObjPoint *>(accent);
        EXPECT_EQ(link->ResolveAttachTarget(note), expected) << id;
    }
    delete tie;
}

#if !defined(_WIN32)
// A beam's end link leaves the drawing to the beam: it draws neither itself
// nor its note.
TEST_F(CatalogueTest, ABeamEndDrawsNothing) {
    Build();
    cPObjPoint *end = cPObjBase::NewById(40);
    auto *link = dynamic_cast<cPObjOwnBase *>(end);
    ASSERT_TRUE(link->AddChild(cPObjBase::NewById(23)));
    window->TakeOps();
    end->Draw();
    EXPECT_TRUE(window->TakeOps().empty());
    // The same note held by a tie end is drawn.
    cPObjPoint *tieEnd = cPObjBase::NewById(39);
    ASSERT_TRUE(dynamic_cast<cPObjOwnBase *>(tieEnd)->AddChild(link->RemoveChild(link->GetChild(0))));
    tieEnd->Draw();
    EXPECT_FALSE(window->TakeOps().empty());
    delete tieEnd;
    delete end;
}
#endif

// ---- the music-font check ----

// A score window whose music font a test chooses: what FindFont answers
// before and after the font file is added.
class cFontWindow : public test::cTestScoreWindow {
public:
    enum eAnswer { kNone, kOtherFace, kMusicFont };
    cFontWindow(eAnswer before, eAnswer after) : before(before), after(after) {}

    uint16_t FindFont(const char16_t *face, int16_t height, int16_t flags) override {
        asked.push_back(face);
        switch (added.empty() ? before : after) {
        case kNone:
            return kFontNone;
        case kOtherFace:
            return cTestScoreWindow::FindFont(u"Courier New", height, flags);
        default:
            return cTestScoreWindow::FindFont(face, height, flags);
        }
    }
    tStatus AddFontFile(const char16_t *path) override {
        added.push_back(path);
        return RC_OK;
    }

    eAnswer before, after;
    std::vector<std::u16string> asked;
    std::vector<std::u16string> added;
};

std::u16string FontFileBesideProgram() {
    std::u16string path = gOpSys->GetProgramPath();
    SetFileName(path, u"pelmora_5a.ttf");
    return path;
}

TEST_F(CatalogueTest, AMusicFontTheSystemHasIsTakenAsItIs) {
    auto owned = std::make_unique<cFontWindow>(cFontWindow::kMusicFont, cFontWindow::kMusicFont);
    cFontWindow *w = owned.get();
    RaisedErrors errors;
    Build(std::move(owned));
    EXPECT_EQ(errors.Count(), 0);
    EXPECT_EQ(w->asked, std::vector<std::u16string>{u"PelmoraMusic5a"});
    EXPECT_TRUE(w->added.empty());
    EXPECT_EQ(std::u16string(cShapeBmpFont::FontName()), u"PelmoraMusic5a");
    sFontInfo info;
    ASSERT_NE(cFontTable::GetInfo(gMusicFontIndex, info), kFontNone);
    EXPECT_EQ(std::u16string(info.face), u"PelmoraMusic5a");
}

// Missing, or found under another face: the font file beside the program is
// added and the font asked for again; only a font still missing is reported,
// once, and the build goes on.
TEST_F(CatalogueTest, AMissingMusicFontIsAddedFromTheProgramsFolderOrReported) {
    struct sCase {
        cFontWindow::eAnswer before, after;
        int32_t errorsExpected;
        bool nameIsPath;
    };
    const sCase cases[] = {
        {cFontWindow::kNone, cFontWindow::kMusicFont, 0, true},
        {cFontWindow::kOtherFace, cFontWindow::kMusicFont, 0, true},
        {cFontWindow::kNone, cFontWindow::kNone, 1, false},
        {cFontWindow::kOtherFace, cFontWindow::kOtherFace, 1, true},
    };
    for (const sCase &c : cases) {
        SCOPED_TRACE(int(c.before) * 10 + int(c.after));
        test::ResetSymbolState();
        auto owned = std::make_unique<cFontWindow>(c.before, c.after);
        cFontWindow *w = owned.get();
        RaisedErrors errors;
        Build(std::move(owned));
        EXPECT_EQ(errors.Count(), c.errorsExpected);
        if (c.errorsExpected) {
            EXPECT_EQ(errors.LastText(), u"Error in MusicObj: pelmora_5a.ttf not loaded. It must be in the same "
                                         u"folder as Pelmora.exe or in Windows' font folder.");
        }
        EXPECT_EQ(w->added, std::vector<std::u16string>{FontFileBesideProgram()});
        EXPECT_EQ(w->asked.size(), 2u);
        EXPECT_EQ(std::u16string(cShapeBmpFont::FontName()), c.nameIsPath ? FontFileBesideProgram() : u"<NONE>");
        // The build finished all the same.
        EXPECT_EQ(cPObjBase::VerifyRegistry(), 0);
        EXPECT_NE(cShapeImg::ForClass(186), nullptr);
        EXPECT_EQ(HintOf(186), u"Select or place score");
        window.reset();
    }
}

// ---- the bitmap reload ----

// One drawing of a picture.
struct sDrawn {
    char kind;  // 'b' bitmap, 'g' glyph
    int32_t x, y, w, h;
    char16_t glyph;
    bool operator==(const sDrawn &) const = default;
};

// A score window that counts the bitmaps it loads and frees, may refuse to
// free them, and notes where pictures are drawn.
class cBitmapWindow : public test::cTestScoreWindow {
public:
    // Each load hands out a new handle of its own, so that a test sees
    // which picture holds which load; nothing of the device is asked.
    tBitmapHandle LoadBitmapResource(const char16_t *name) override {
        loaded.push_back(name);
        return reinterpret_cast<tBitmapHandle>(uintptr_t(++loads));
    }
    tStatus FreeBitmap(tBitmapHandle handle) override {
        ++freed;
        return refuseFree || !handle ? kFailed : RC_OK;
    }
    tStatus DrawBitmap(tBitmapHandle bitmap, int32_t px, int32_t py, int32_t w, int32_t h) override {
        drawn.push_back({'b', px, py, w, h, 0});
        return RC_OK;
    }
    tStatus DrawChars(const char16_t *text, uint32_t n, int32_t px, int32_t py, uint16_t font) override {
        drawn.push_back({'g', px, py, 0, 0, n ? text[0] : char16_t(0)});
        return RC_OK;
    }

    std::vector<std::u16string> loaded;
    uintptr_t loads = 0;
    int32_t freed = 0;
    bool refuseFree = false;
    std::vector<sDrawn> drawn;
};

// Every picture drawn at (200, 120), in id order.
std::vector<sDrawn> DrawAll(cBitmapWindow &w) {
    w.drawn.clear();
    for (int16_t id = 17; id <= 186; ++id) cShapeImg::ForClass(id)->DrawAt(200, 120, &w);
    return w.drawn;
}

// The bitmap pictures: the catalogue's classes without a music-font
// character.
const int16_t kBitmapClasses[] = {32,  33,  34,  35,  37,  38,  39,  40,  41,  69,  70,  77,  78,  103, 104, 105,
                                  106, 107, 108, 109, 110, 111, 112, 113, 114, 115, 116, 117, 128, 149, 150, 166,
                                  167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182,
                                  183, 184, 185, 186};

TEST_F(CatalogueTest, ReloadedBitmapsAreDrawnWhereTheyWere) {
    auto owned = std::make_unique<cBitmapWindow>();
    cBitmapWindow *w = owned.get();
    Build(std::move(owned));
    const std::vector<sDrawn> before = DrawAll(*w);
    ASSERT_EQ(before.size(), 170u);
    std::vector<tBitmapHandle> handles;
    for (int16_t id : kBitmapClasses) {
        auto *picture = dynamic_cast<cShapeImgBitMap *>(cShapeImg::ForClass(id));
        ASSERT_NE(picture, nullptr) << id;
        EXPECT_EQ(dynamic_cast<cShapeBmpFont *>(picture), nullptr) << id;
        handles.push_back(picture->GetBitmap());
    }

    w->loaded.clear();
    ReloadSymbolBitmaps();
    EXPECT_EQ(w->freed, int32_t(std::size(kBitmapClasses)));
    ASSERT_EQ(w->loaded.size(), std::size(kBitmapClasses));
    for (size_t i = 0; i < std::size(kBitmapClasses); ++i)
        EXPECT_EQ(w->loaded[i], std::u16string(kSymbolGlyphTable[kBitmapClasses[i] - 17].bitmapName));
    for (size_t i = 0; i < std::size(kBitmapClasses); ++i) {
        tBitmapHandle now = dynamic_cast<cShapeImgBitMap *>(cShapeImg::ForClass(kBitmapClasses[i]))->GetBitmap();
        EXPECT_NE(now, handles[i]) << kBitmapClasses[i];
        handles[i] = now;
    }
    EXPECT_EQ(DrawAll(*w), before);

    // A window that will not free a bitmap keeps the picture as it is.
    w->refuseFree = true;
    w->loaded.clear();
    ReloadSymbolBitmaps();
    EXPECT_TRUE(w->loaded.empty());
    for (size_t i = 0; i < std::size(kBitmapClasses); ++i)
        EXPECT_EQ(dynamic_cast<cShapeImgBitMap *>(cShapeImg::ForClass(kBitmapClasses[i]))->GetBitmap(), handles[i]);
    EXPECT_EQ(DrawAll(*w), before);
}

TEST_F(CatalogueTest, PicturesFollowTheCatalogue) {
    auto owned = std::make_unique<cBitmapWindow>();
    cBitmapWindow *w = owned.get();
    Build(std::move(owned));
    // Bitmap pictures have the box and hot spot of the catalogue: drawn
    // with the box's top-left at the position less the hot spot.
    const std::vector<sDrawn> drawn = DrawAll(*w);
    const std::set<int16_t> bitmaps(std::begin(kBitmapClasses), std::end(kBitmapClasses));
    for (int16_t id = 17; id <= 186; ++id) {
        SCOPED_TRACE(id);
        const sDrawn &d = drawn[size_t(id - 17)];
        if (bitmaps.count(id)) {
            const bool rest = id == 77 || id == 78;
            EXPECT_EQ(d, (sDrawn{'b', rest ? 194 : 184, rest ? 116 : 110, rest ? 12 : 32, rest ? 8 : 20, 0}));
        } else {
            EXPECT_EQ(d.kind, 'g');
        }
    }
    // A few glyphs by their characters: the font's digits, a clef that also
    // has a bitmap, the last character of the font.
    EXPECT_EQ(drawn[129 - 17].glyph, char16_t(0xD130));
    EXPECT_EQ(drawn[138 - 17].glyph, char16_t(0xD139));
    EXPECT_EQ(drawn[98 - 17].glyph, char16_t(0xD17C));
    EXPECT_NE(dynamic_cast<cShapeBmpFont *>(cShapeImg::ForClass(98))->GetBitmap(), nullptr);
    EXPECT_EQ(drawn[163 - 17].glyph, char16_t(0xD1FD));
}

}  // namespace
