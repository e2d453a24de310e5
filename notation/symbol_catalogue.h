// The catalogue of the music classes, ids 17 to 186: what each class answers
// about itself (persistent name, family bits, help topic, fixed duration),
// how its picture is made (a music-font character or a bitmap of the
// program's resources, its box and hot spot) and the hint of its palette
// button.  The registry build walks these tables; the classes themselves
// (symbol_classes.h) read their naming answers from the first one.
#pragma once

#include <cstdint>

#include "document/symbol_base.h"

struct sErrorTable;

constexpr int16_t kFirstSymbolClassId = 17;
constexpr int16_t kLastSymbolClassId = 186;
constexpr int32_t kSymbolClassCount = kLastSymbolClassId - kFirstSymbolClassId + 1;

// A duration the family works out (the held note's, a group's; clefs, keys
// and time signatures answer 0 and take the running context as they do);
// the class answers its base's.
constexpr int32_t kFamilyDuration = -1;

struct sSymbolClassInfo {
    const char16_t *name;  // the persistent name files store
    uint32_t flags;        // the family bits, without the bits of a held note
    int32_t helpTopic;     // 0: none
    int32_t duration;      // ticks (480 a quarter); 0 untimed
};

// By id - kFirstSymbolClassId.
inline constexpr sSymbolClassInfo kSymbolClassTable[kSymbolClassCount] = {
    {u"Note164", kTypeNote, 1025, 30},  // 17 Note164
    {u"Note164Up", kTypeNote, 1025, 30},  // 18 Note164Up
    {u"Note132", kTypeNote, 1025, 60},  // 19 Note132
    {u"Note132Up", kTypeNote, 1025, 60},  // 20 Note132Up
    {u"Note116", kTypeNote, 1025, 120},  // 21 Note116
    {u"Note116Up", kTypeNote, 1025, 120},  // 22 Note116Up
    {u"Note18", kTypeNote, 1025, 240},  // 23 Note18
    {u"Note18Up", kTypeNote, 1025, 240},  // 24 Note18Up
    {u"Note14", kTypeNote, 1025, 480},  // 25 Note14
    {u"Note14Up", kTypeNote, 1025, 480},  // 26 Note14Up
    {u"Note12", kTypeNote, 1025, 960},  // 27 Note12
    {u"Note12Up", kTypeNote, 1025, 960},  // 28 Note12Up
    {u"Note11", kTypeNote, 1025, 1920},  // 29 Note11
    {u"Dot", kTypeDot, 1025, 0},  // 30 ArticDotObject
    {u"DblDot", kTypeDot, 1025, 0},  // 31 ArticDblDotObject
    {u"NoteBeam", kTypeBeam, 1000, kFamilyDuration},  // 32 cBeam
    {u"TieSlur", kTypeTie, 1051, kFamilyDuration},  // 33 cTieBeg
    {u"Chord", kTypeNote | kTypeChord, 1019, kFamilyDuration},  // 34 NoteChordObject
    {u"Tuplet1", kTypeBeam, 1025, kFamilyDuration},  // 35 cTupletBeg
    {u"GraceNote1", kTypeOrnament, 1025, kFamilyDuration},  // 36 cGraceNote
    {u"Slur", 0, 0, 0},  // 37 ArticSlur
    {u"Tie", kTypeTie, 1051, kFamilyDuration},  // 38 TieSlur
    {u"Tied", kTypeTie, 1051, kFamilyDuration},  // 39 cTieEnd
    {u"Beamed", kTypeBeam, 1000, kFamilyDuration},  // 40 cBeamEnd
    {u"Beam", kTypeBeam, 1000, 0},  // 41 NoteBeamObject
    {u"GraceNote", kTypeOrnament, 0, kFamilyDuration},  // 42 cNoteGrace
    {u"NoteBlack", kTypeNote, 1025, 0},  // 43 NoteBlack
    {u"NoteBlackUp", kTypeNote, 1025, 0},  // 44 NoteBlackUp
    {u"NoteWhite", kTypeNote, 1025, 0},  // 45 NoteWhite
    {u"NoteWhiteUp", kTypeNote, 1025, 0},  // 46 NoteWhiteUp
    {u"MusicFontNoteClass", kTypeNote, 1025, 0},  // 47 MusicFontNote
    {u"NoteCross", kTypeNote, 1025, 0},  // 48 NoteCross
    {u"NoteCrossUp", kTypeNote, 1025, 0},  // 49 NoteCrossUp
    {u"NoteTriangleWhite", kTypeNote, 1025, 0},  // 50 NoteTriangleWhite
    {u"NoteTriangleWhiteUp", kTypeNote, 1025, 0},  // 51 NoteTriangleWhiteUp
    {u"NoteTriangleBlack", kTypeNote, 1025, 0},  // 52 NoteTriangleBlack
    {u"NoteTriangleBlackUp", kTypeNote, 1025, 0},  // 53 NoteTriangleBlackUp
    {u"NoteDiamondWhite", kTypeNote, 1025, 0},  // 54 NoteDiamondWhite
    {u"NoteDiamondWhiteUp", kTypeNote, 1025, 0},  // 55 NoteDiamondWhiteUp
    {u"NoteDiamondBlack", kTypeNote, 1025, 0},  // 56 NoteDiamondBlack
    {u"NoteDiamondBlackUp", kTypeNote, 1025, 0},  // 57 NoteDiamondBlackUp
    {u"NoteCircleX", kTypeNote, 1025, 0},  // 58 NoteCircleX
    {u"NoteCircleXUp", kTypeNote, 1025, 0},  // 59 NoteCircleXUp
    {u"NoteFlag8", kTypeNote, 1025, 0},  // 60 NoteFlag8
    {u"NoteFlag8Up", kTypeNote, 1025, 0},  // 61 NoteFlag8Up
    {u"NoteFlag16", kTypeNote, 1025, 0},  // 62 NoteFlag16
    {u"NoteFlag16Up", kTypeNote, 1025, 0},  // 63 NoteFlag16Up
    {u"NoteFlag32", kTypeNote, 1025, 0},  // 64 NoteFlag32
    {u"NoteFlag32Up", kTypeNote, 1025, 0},  // 65 NoteFlag32Up
    {u"NoteFlag64", kTypeNote, 1025, 0},  // 66 NoteFlag64
    {u"NoteFlag64Up", kTypeNote, 1025, 0},  // 67 NoteFlag64Up
    {u"GraceNoteHead", kTypeNote, 1025, 60},  // 68 GraceNoteHead
    {u"Tuplet", kTypeBeam, 1025, 0},  // 69 cTuplet
    {u"Tuplet2", kTypeBeam, 1025, kFamilyDuration},  // 70 cTupletEnd
    {u"GraceNote2", kTypeOrnament, 1025, kFamilyDuration},  // 71 cGraceNoteEnd
    {u"Rest164", kTypeRest, 1026, 30},  // 72 Rest164
    {u"Rest132", kTypeRest, 1026, 60},  // 73 Rest132
    {u"Rest116", kTypeRest, 1026, 120},  // 74 Rest116
    {u"Rest18", kTypeRest, 1026, 240},  // 75 Rest18
    {u"Rest14", kTypeRest, 1026, 480},  // 76 Rest14
    {u"Rest12", kTypeRest, 1026, 960},  // 77 Rest12
    {u"Rest11", kTypeRest, 1026, 1920},  // 78 Rest11
    {u"Natural", kTypeAccidental, 1017, kFamilyDuration},  // 79 AccidNaturalObject
    {u"Sharp", kTypeAccidental, 1017, kFamilyDuration},  // 80 AccidSharpObject
    {u"Flat", kTypeAccidental, 1017, kFamilyDuration},  // 81 AccidFlatObject
    {u"DoubleSharp", kTypeAccidental, 1017, kFamilyDuration},  // 82 AccidDblSharpObject
    {u"DoubleFlat", kTypeAccidental, 1017, kFamilyDuration},  // 83 AccidDblFlatObject
    {u"Stacatto", kTypeOrnament, 1017, kFamilyDuration},  // 84 ArticStacattoObject
    {u"Dash", kTypeOrnament, 1017, kFamilyDuration},  // 85 ArticDashObject
    {u"Accent", kTypeOrnament, 1017, kFamilyDuration},  // 86 ArticAccentObject
    {u"UpBow", kTypeOrnament, 1017, kFamilyDuration},  // 87 ArticUpBowObject
    {u"DownBow", kTypeOrnament, 1017, kFamilyDuration},  // 88 ArticDownBowObject
    {u"trill", kTypeOrnament, 1017, kFamilyDuration},  // 89 OrnmTrillObject
    {u"mordent1", kTypeOrnament, 1017, kFamilyDuration},  // 90 OrnmMordent1Object
    {u"mordent2", kTypeOrnament, 1017, kFamilyDuration},  // 91 OrnmMordent2Object
    {u"TurnUp", kTypeOrnament, 1017, kFamilyDuration},  // 92 OrnmTurnUpObject
    {u"TurnDown", kTypeOrnament, 1017, kFamilyDuration},  // 93 OrnmTurnDownObject
    {u"Fermata", kTypeOrnament, 1017, kFamilyDuration},  // 94 ArticFermataObject
    {u"FermataUp", kTypeOrnament, 1017, kFamilyDuration},  // 95 ArticFermataUpObject
    {u"ClefPercussion1", kTypeClef, 1020, kFamilyDuration},  // 96 ClefPercussion1
    {u"ClefPercussion2", kTypeClef, 1020, kFamilyDuration},  // 97 ClefPercussion2
    {u"ClefAlto", kTypeClef, 1020, kFamilyDuration},  // 98 ClefAlto
    {u"ClefTenor", kTypeClef, 1020, kFamilyDuration},  // 99 ClefTenor
    {u"ClefG8", kTypeClef, 1020, kFamilyDuration},  // 100 ClefG8
    {u"ClefG", kTypeClef, 1020, kFamilyDuration},  // 101 ClefG
    {u"ClefF", kTypeClef, 1020, kFamilyDuration},  // 102 ClefF
    {u"KeySigC", kTypeKey, 1020, kFamilyDuration},  // 103 KeySigC
    {u"KeySig1Sharp", kTypeKey, 1020, kFamilyDuration},  // 104 KeySig1Sharp
    {u"KeySig2Sharp", kTypeKey, 1020, kFamilyDuration},  // 105 KeySig2Sharp
    {u"KeySig3Sharp", kTypeKey, 1020, kFamilyDuration},  // 106 KeySig3Sharp
    {u"KeySig4Sharp", kTypeKey, 1020, kFamilyDuration},  // 107 KeySig4Sharp
    {u"KeySig5Sharp", kTypeKey, 1020, kFamilyDuration},  // 108 KeySig5Sharp
    {u"KeySig6Sharp", kTypeKey, 1020, kFamilyDuration},  // 109 KeySig6Sharp
    {u"KeySig7Sharp", kTypeKey, 1020, kFamilyDuration},  // 110 KeySig7Sharp
    {u"KeySig1Flat", kTypeKey, 1020, kFamilyDuration},  // 111 KeySig1Flat
    {u"KeySig2Flat", kTypeKey, 1020, kFamilyDuration},  // 112 KeySig2Flat
    {u"KeySig3Flat", kTypeKey, 1020, kFamilyDuration},  // 113 KeySig3Flat
    {u"KeySig4Flat", kTypeKey, 1020, kFamilyDuration},  // 114 KeySig4Flat
    {u"KeySig5Flat", kTypeKey, 1020, kFamilyDuration},  // 115 KeySig5Flat
    {u"KeySig6Flat", kTypeKey, 1020, kFamilyDuration},  // 116 KeySig6Flat
    {u"KeySig7Flat", kTypeKey, 1020, kFamilyDuration},  // 117 KeySig7Flat
    {u"Time28", kTypeTime, 1029, kFamilyDuration},  // 118 Time28
    {u"Time38", kTypeTime, 1029, kFamilyDuration},  // 119 Time38
    {u"Time48", kTypeTime, 1029, kFamilyDuration},  // 120 Time48
    {u"Time24", kTypeTime, 1029, kFamilyDuration},  // 121 Time24
    {u"Time34", kTypeTime, 1029, kFamilyDuration},  // 122 Time34
    {u"Time44", kTypeTime, 1029, kFamilyDuration},  // 123 Time44
    {u"Time68", kTypeTime, 1029, kFamilyDuration},  // 124 Time68
    {u"TimeC", kTypeTime, 1029, kFamilyDuration},  // 125 TimeC
    {u"TimeC2", kTypeTime, 1029, kFamilyDuration},  // 126 TimeC2
    {u"TimeAny", kTypeTime, 1029, kFamilyDuration},  // 127 TimeAny
    {u"MMSym", kTypeText, 1029, 0},  // 128 MMSym
    {u"Time0Dig", 0, 0, 0},  // 129 Time0Dig
    {u"Time1Dig", 0, 0, 0},  // 130 Time1Dig
    {u"Time2Dig", 0, 0, 0},  // 131 Time2Dig
    {u"Time3Dig", 0, 0, 0},  // 132 Time3Dig
    {u"Time4Dig", 0, 0, 0},  // 133 Time4Dig
    {u"Time5Dig", 0, 0, 0},  // 134 Time5Dig
    {u"Time6Dig", 0, 0, 0},  // 135 Time6Dig
    {u"Time7Dig", 0, 0, 0},  // 136 Time7Dig
    {u"Time8Dig", 0, 0, 0},  // 137 Time8Dig
    {u"Time9Dig", 0, 0, 0},  // 138 Time9Dig
    {u"DynamicMF", 0, 1021, 0},  // 139 DynamicMF
    {u"DynamicF", 0, 1021, 0},  // 140 DynamicF
    {u"DynamicFF", 0, 1021, 0},  // 141 DynamicFF
    {u"DynamicFFF", 0, 1021, 0},  // 142 DynamicFFF
    {u"DynamicMP", 0, 1021, 0},  // 143 DynamicMP
    {u"DynamicP", 0, 1021, 0},  // 144 DynamicP
    {u"DynamicPP", 0, 1021, 0},  // 145 DynamicPP
    {u"DynamicPPP", 0, 1021, 0},  // 146 DynamicPPP
    {u"DynamicSf", 0, 1021, 0},  // 147 DynamicSf
    {u"DynamicFz", 0, 1021, 0},  // 148 DynamicFz
    {u"Crescendo", 0, 1021, 0},  // 149 DynamicCres
    {u"Diminuendo", 0, 1021, 0},  // 150 DynamicDim
    {u"Sign1", kTypeSign, 1018, 0},  // 151 Sign1
    {u"Sign2", kTypeSign, 1018, 0},  // 152 Sign2
    {u"Coda", kTypeSign, 1018, 0},  // 153 Coda
    {u"TextDS", kTypeSign, 1018, 0},  // 154 TextDS
    {u"TextDC", kTypeSign, 1018, 0},  // 155 TextDC
    {u"TextFine", kTypeSign, 1018, 0},  // 156 TextFine
    {u"TextDSFine", kTypeSign, 1018, 0},  // 157 TextDSFine
    {u"TextDCFine", kTypeSign, 1018, 0},  // 158 TextDCFine
    {u"TextDSCoda", kTypeSign, 1018, 0},  // 159 TextDSCoda
    {u"TextDCCoda", kTypeSign, 1018, 0},  // 160 TextDCCoda
    {u"Simile1", 0, 1021, 0},  // 161 Simile1
    {u"TextPedal", 0, 1021, 0},  // 162 TextPedal
    {u"TextPedalUp", 0, 1021, 0},  // 163 TextPedalUp
    {u"Text8va", 0, 1021, 0},  // 164 Text8va
    {u"Text8vb", 0, 1021, 0},  // 165 Text8vb
    {u"SingleBar", kTypeBar, 1018, 0},  // 166 Bar
    {u"DoubleBar", kTypeBar, 1018, 0},  // 167 BarDouble
    {u"LeftDoubleBar", kTypeBar, 1018, 0},  // 168 BarLeftDouble
    {u"RightDoubleBar", kTypeBar, 1018, 0},  // 169 BarRightDouble
    {u"LeftRepeatBar", kTypeBar, 1018, 0},  // 170 BarLeftRepeat
    {u"RightRepeatBar", kTypeBar, 1018, 0},  // 171 BarRightRepeat
    {u"DoubleBarRepeat", kTypeBar, 1018, 0},  // 172 BarDoubleRepeat
    {u"RepeatEnding12", kTypeSign | kTypeEnding, 1018, 0},  // 173 RepeatEnding12
    {u"RepeatDrawEnding", kTypeSign | kTypeEnding, 1018, 0},  // 174 RepeatDrawEnding
    {u"MusicChar", kTypeText, 1028, 0},  // 175 MusicChar
    {u"ChordName", kTypeText | kTypeChordText, 1013, 0},  // 176 ChordText
    {u"MusicLine", 0, 1023, 0},  // 177 MusicLine
    {u"MusicText", kTypeText, 1028, 0},  // 178 MusicText
    {u"MusicSing", kTypeText, 1024, 0},  // 179 MusicSing
    {u"MusicStaticText", kTypeText, 0, 0},  // 180 MusicStaticText
    {u"StaffBase", kTypeStaff, 1049, 0},  // 181 cStaffBase
    {u"MusicPageBreak", kTypePageBreak, 1045, 0},  // 182 cMusicPageBreak
    {u"Brace", kTypeStaff, 1049, 0},  // 183 cMObjBrace
    {u"Staff", kTypeStaff, 1049, 0},  // 184 StaffObject
    {u"MusicBlock", kTypeBlockMark, 1001, 0},  // 185 cMusicBlock
    {u"Score", 0, 0, 0},  // 186 ScoreObject
};

constexpr const sSymbolClassInfo &SymbolClassInfo(int16_t id) { return kSymbolClassTable[id - kFirstSymbolClassId]; }

// A hot-spot coordinate taken from the middle of the glyph's ink box.
constexpr int32_t kHotSpotMiddle = INT32_MIN;

// The picture of a class.  A class without a music-font character is drawn
// from its bitmap; one with both (the alto and tenor clef) is drawn from the
// font, and the bitmap serves outside the score.  A box of 0 x 0 is taken
// from the glyph.
struct sSymbolGlyph {
    const char16_t *bitmapName;  // a resource name, or null
    uint8_t boxWidth;
    uint8_t boxHeight;
    int32_t hotY;
    char16_t character;  // 0: the bitmap
    int32_t hotX;
    const char16_t *hint;  // the palette button's default hint
};

// By id - kFirstSymbolClassId.
extern const sSymbolGlyph kSymbolGlyphTable[kSymbolClassCount];

// The file beside the program that brings the music font when the system
// does not have it.
constexpr char16_t kMusicFontFile[] = u"pelmora_5a.ttf";

// Makes a new object of one class, the prototype of the registry.
using tSymbolMaker = cPObjPoint *(*)();
// Plugs in the maker of a class that a higher layer defines (the staff
// family); a class without a maker gets no prototype.
void SetSymbolMaker(int16_t id, tSymbolMaker make);

// Builds the class registry: one prototype per class id 1 to 186 that has a
// maker; in the first build of a run also the pictures of 17 to 186, the
// music-font check and the default hints.  The score's registry, with the
// staff family, is built by CreateScoreRegistry (staves/score_registry.h).
void CreateSymbolRegistry();
// The registry's builder (both passes: sizing, then storing).
void BuildSymbolPrototypes();
// Loads the bitmap pictures again (printing leaves the screen's bitmaps
// unusable).  A picture whose bitmap the window will not free stays.
void ReloadSymbolBitmaps();
// Gives every music class its default hint again.
void ResetSymbolHints();

// The "MusicObj" errors.
enum : uint32_t { kMusicObjFontMissing = 0 };
extern const sErrorTable kMusicObjErrors;
void RaiseMusicObjError(uint32_t index);
