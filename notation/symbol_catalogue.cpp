#include "notation/symbol_catalogue.h"

#include <string>

#include "document/registry.h"
#include "foundation/error_msg.h"
#include "foundation/path_names.h"
#include "notation/symbol_classes.h"
#include "platform/op_sys_base.h"
#include "ui/font_table.h"
#include "ui/graph_dvc.h"
#include "ui/music_font_metrics.h"

PELMORA_ERROR_TABLE(kMusicObjErrors, u"MusicObj",
                    u"pelmora_5a.ttf not loaded. It must be in the same folder as Pelmora.exe or in Windows' font "
                    u"folder.");

const sSymbolGlyph kSymbolGlyphTable[kSymbolClassCount] = {
    {nullptr, 12, 20, 0, 0xD144, 4, u"Select or place notes"},  // 17 Note164
    {nullptr, 20, 20, 0, 0xD14B, -4, u"Select or place notes"},  // 18 Note164Up
    {nullptr, 12, 20, 0, 0xD145, 4, u"Select or place notes"},  // 19 Note132
    {nullptr, 20, 20, 0, 0xD14C, -4, u"Select or place notes"},  // 20 Note132Up
    {nullptr, 12, 20, 0, 0xD146, 4, u"Select or place notes"},  // 21 Note116
    {nullptr, 20, 20, 0, 0xD14D, -4, u"Select or place notes"},  // 22 Note116Up
    {nullptr, 12, 20, 0, 0xD147, 4, u"Select or place notes"},  // 23 Note18
    {nullptr, 20, 20, 0, 0xD14E, -4, u"Select or place notes"},  // 24 Note18Up
    {nullptr, 10, 20, 0, 0xD148, 4, u"Select or place notes"},  // 25 Note14
    {nullptr, 10, 20, 0, 0xD14F, -4, u"Select or place notes"},  // 26 Note14Up
    {nullptr, 10, 20, 0, 0xD149, 4, u"Select or place notes"},  // 27 Note12
    {nullptr, 10, 20, 0, 0xD150, -4, u"Select or place notes"},  // 28 Note12Up
    {nullptr, 10, 8, 0, 0xD151, 0, u"Select or place notes"},  // 29 Note11
    {nullptr, 8, 8, 0, 0xD16E, 0, u"Select or place dots"},  // 30 ArticDotObject
    {nullptr, 12, 8, 0, 0xD16F, 0, u"Select or place dots"},  // 31 ArticDblDotObject
    {u"NOTEBEAMBMAP", 32, 20, 10, 0, 16, u"Select or place beams"},  // 32 cBeam
    {u"ARTICSLURBMAP", 32, 20, 10, 0, 16, u"Select or place slurs or ties"},  // 33 cTieBeg
    {u"NOTECHORDBMAP", 32, 20, 10, 0, 16, u"Select or place chords"},  // 34 NoteChordObject
    {u"TupletBMap", 32, 20, 10, 0, 16, u"Select or place tuplets"},  // 35 cTupletBeg
    {nullptr, 0, 0, 0, 0xD159, -2, u"Select or place grace notes"},  // 36 cGraceNote
    {u"ARTICSLURBMAP", 32, 20, 10, 0, 16, u"Select or place slurs or ties"},  // 37 ArticSlur
    {u"ARTICSLURBMAP", 32, 20, 10, 0, 16, u"Select or place slurs or ties"},  // 38 TieSlur
    {u"ARTICSLURBMAP", 32, 20, 10, 0, 16, u"Select or place slurs or ties"},  // 39 cTieEnd
    {u"NOTEBEAMBMAP", 32, 20, 10, 0, 16, u"Select or place beams"},  // 40 cBeamEnd
    {u"NOTEBEAMBMAP", 32, 20, 10, 0, 16, u"Select or place beams"},  // 41 NoteBeamObject
    {nullptr, 0, 0, 0, 0xD159, -2, u"Select or place grace notes"},  // 42 cNoteGrace
    {nullptr, 0, 0, 0, 0xD118, kHotSpotMiddle, u"Select or place notes"},  // 43 NoteBlack
    {nullptr, 0, 0, 0, 0xD119, kHotSpotMiddle, u"Select or place notes"},  // 44 NoteBlackUp
    {nullptr, 0, 0, 0, 0xD11A, kHotSpotMiddle, u"Select or place notes"},  // 45 NoteWhite
    {nullptr, 0, 0, 0, 0xD11B, kHotSpotMiddle, u"Select or place notes"},  // 46 NoteWhiteUp
    {nullptr, 0, 0, 0, 0xD118, kHotSpotMiddle, u"Select or place notes"},  // 47 MusicFontNote
    {nullptr, 0, 0, kHotSpotMiddle, 0xD124, kHotSpotMiddle, u"Select or place notes"},  // 48 NoteCross
    {nullptr, 0, 0, kHotSpotMiddle, 0xD125, kHotSpotMiddle, u"Select or place notes"},  // 49 NoteCrossUp
    {nullptr, 0, 0, kHotSpotMiddle, 0xD122, kHotSpotMiddle, u"Select or place notes"},  // 50 NoteTriangleWhite
    {nullptr, 0, 0, kHotSpotMiddle, 0xD123, kHotSpotMiddle, u"Select or place notes"},  // 51 NoteTriangleWhiteUp
    {nullptr, 0, 0, kHotSpotMiddle, 0xD120, kHotSpotMiddle, u"Select or place notes"},  // 52 NoteTriangleBlack
    {nullptr, 0, 0, kHotSpotMiddle, 0xD121, kHotSpotMiddle, u"Select or place notes"},  // 53 NoteTriangleBlackUp
    {nullptr, 0, 0, 0, 0xD11E, kHotSpotMiddle, u"Select or place notes"},  // 54 NoteDiamondWhite
    {nullptr, 0, 0, 0, 0xD11F, kHotSpotMiddle, u"Select or place notes"},  // 55 NoteDiamondWhiteUp
    {nullptr, 0, 0, 0, 0xD11C, kHotSpotMiddle, u"Select or place notes"},  // 56 NoteDiamondBlack
    {nullptr, 0, 0, 0, 0xD11D, kHotSpotMiddle, u"Select or place notes"},  // 57 NoteDiamondBlackUp
    {nullptr, 0, 0, 0, 0xD126, kHotSpotMiddle, u"Select or place notes"},  // 58 NoteCircleX
    {nullptr, 0, 0, 0, 0xD127, kHotSpotMiddle, u"Select or place notes"},  // 59 NoteCircleXUp
    {nullptr, 0, 0, 0, 0xD114, 0, u"Select or place notes"},  // 60 NoteFlag8
    {nullptr, 0, 0, 0, 0xD10F, 0, u"Select or place notes"},  // 61 NoteFlag8Up
    {nullptr, 0, 0, 0, 0xD113, 0, u"Select or place notes"},  // 62 NoteFlag16
    {nullptr, 0, 0, 0, 0xD10E, 0, u"Select or place notes"},  // 63 NoteFlag16Up
    {nullptr, 0, 0, 0, 0xD112, 0, u"Select or place notes"},  // 64 NoteFlag32
    {nullptr, 0, 0, 0, 0xD10D, 0, u"Select or place notes"},  // 65 NoteFlag32Up
    {nullptr, 0, 0, 0, 0xD111, 0, u"Select or place notes"},  // 66 NoteFlag64
    {nullptr, 0, 0, 0, 0xD10C, 0, u"Select or place notes"},  // 67 NoteFlag64Up
    {nullptr, 0, 0, 0, 0xD159, -2, u"Select or place grace notes"},  // 68 GraceNoteHead
    {u"TupletBMap", 32, 20, 10, 0, 16, u"Select or place tuplets"},  // 69 cTuplet
    {u"TupletBMap", 32, 20, 10, 0, 16, u"Select or place tuplets"},  // 70 cTupletEnd
    {nullptr, 0, 0, 0, 0xD159, -2, u"Select or place grace notes"},  // 71 cGraceNoteEnd
    {nullptr, 0, 0, 0, 0xD160, 0, u"Select or place rests"},  // 72 Rest164
    {nullptr, 0, 0, 0, 0xD161, 0, u"Select or place rests"},  // 73 Rest132
    {nullptr, 0, 0, 0, 0xD162, 0, u"Select or place rests"},  // 74 Rest116
    {nullptr, 0, 0, 0, 0xD163, 0, u"Select or place rests"},  // 75 Rest18
    {nullptr, 0, 0, 0, 0xD164, 0, u"Select or place rests"},  // 76 Rest14
    {u"REST12BMAP", 12, 8, 4, 0, 6, u"Select or place rests"},  // 77 Rest12
    {u"REST11BMAP", 12, 8, 4, 0, 6, u"Select or place rests"},  // 78 Rest11
    {nullptr, 0, 0, 0, 0xD1A8, 0, u"Select or place accidentals"},  // 79 AccidNaturalObject
    {nullptr, 0, 0, 0, 0xD1A4, 0, u"Select or place accidentals"},  // 80 AccidSharpObject
    {nullptr, 0, 0, 0, 0xD1A6, 0, u"Select or place accidentals"},  // 81 AccidFlatObject
    {nullptr, 0, 0, 0, 0xD1A5, 0, u"Select or place accidentals"},  // 82 AccidDblSharpObject
    {nullptr, 0, 0, 0, 0xD1A7, 0, u"Select or place accidentals"},  // 83 AccidDblFlatObject
    {nullptr, 0, 0, 0, 0xD1F6, 0, u"Select or place articulations"},  // 84 ArticStacattoObject
    {nullptr, 0, 0, 0, 0xD1F5, 0, u"Select or place articulations"},  // 85 ArticDashObject
    {nullptr, 0, 0, 0, 0xD1F4, 0, u"Select or place articulations"},  // 86 ArticAccentObject
    {nullptr, 32, 20, 0, 0xD1F3, 0, u"Select or place articulations"},  // 87 ArticUpBowObject
    {nullptr, 32, 20, 0, 0xD1F2, 0, u"Select or place articulations"},  // 88 ArticDownBowObject
    {nullptr, 32, 20, 0, 0xD1F1, 0, u"Select or place ornaments"},  // 89 OrnmTrillObject
    {nullptr, 32, 20, 0, 0xD1F8, 0, u"Select or place ornaments"},  // 90 OrnmMordent1Object
    {nullptr, 32, 20, 0, 0xD1F7, 0, u"Select or place ornaments"},  // 91 OrnmMordent2Object
    {nullptr, 32, 20, 0, 0xD1EF, 0, u"Select or place ornaments"},  // 92 OrnmTurnUpObject
    {nullptr, 32, 20, 0, 0xD1F0, 0, u"Select or place ornaments"},  // 93 OrnmTurnDownObject
    {nullptr, 32, 20, 0, 0xD1FA, 0, u"Select or place ornaments"},  // 94 ArticFermataObject
    {nullptr, 32, 20, 0, 0xD1FB, 0, u"Select or place ornaments"},  // 95 ArticFermataUpObject
    {nullptr, 0, 0, 0, 0xD180, 0, u"Select or place clefs"},  // 96 ClefPercussion1
    {nullptr, 0, 0, 0, 0xD181, 0, u"Select or place clefs"},  // 97 ClefPercussion2
    {u"AltoBMap", 32, 20, 10, 0xD17C, 0, u"Select or place clefs"},  // 98 ClefAlto
    {u"TenorBMap", 32, 20, 10, 0xD17C, 0, u"Select or place clefs"},  // 99 ClefTenor
    {nullptr, 0, 0, 0, 0xD17D, 0, u"Select or place clefs"},  // 100 ClefG8
    {nullptr, 0, 0, 0, 0xD17E, 0, u"Select or place clefs"},  // 101 ClefG
    {nullptr, 0, 0, 0, 0xD17A, 0, u"Select or place clefs"},  // 102 ClefF
    {u"KEYCBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 103 KeySigC
    {u"KEYGBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 104 KeySig1Sharp
    {u"KEYDBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 105 KeySig2Sharp
    {u"KEYABMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 106 KeySig3Sharp
    {u"KEYEBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 107 KeySig4Sharp
    {u"KEYBBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 108 KeySig5Sharp
    {u"KEYFSHARPBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 109 KeySig6Sharp
    {u"KEYCSHARPBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 110 KeySig7Sharp
    {u"KEYFBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 111 KeySig1Flat
    {u"KEYBFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 112 KeySig2Flat
    {u"KEYEFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 113 KeySig3Flat
    {u"KEYAFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 114 KeySig4Flat
    {u"KEYDFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 115 KeySig5Flat
    {u"KEYGFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 116 KeySig6Flat
    {u"KEYCFLATBMAP", 32, 20, 10, 0, 16, u"Select or place key signatures"},  // 117 KeySig7Flat
    {nullptr, 0, 0, 0, 0xD13A, 0, u"Select or place time signatures"},  // 118 Time28
    {nullptr, 0, 0, 0, 0xD13C, 0, u"Select or place time signatures"},  // 119 Time38
    {nullptr, 0, 0, 0, 0xD13E, 0, u"Select or place time signatures"},  // 120 Time48
    {nullptr, 0, 0, 0, 0xD13B, 0, u"Select or place time signatures"},  // 121 Time24
    {nullptr, 0, 0, 0, 0xD13D, 0, u"Select or place time signatures"},  // 122 Time34
    {nullptr, 0, 0, 0, 0xD13F, 0, u"Select or place time signatures"},  // 123 Time44
    {nullptr, 0, 0, 0, 0xD140, 0, u"Select or place time signatures"},  // 124 Time68
    {nullptr, 0, 0, 0, 0xD12F, 0, u"Select or place time signatures"},  // 125 TimeC
    {nullptr, 0, 0, 0, 0xD12E, 0, u"Select or place time signatures"},  // 126 TimeC2
    {nullptr, 0, 0, 0, 0xD13C, 0, u"Variable time signature, use SETUP/DRAW"},  // 127 TimeAny
    {u"MMBMap", 32, 20, 10, 0, 16, u"Select or place M.M."},  // 128 MMSym
    {nullptr, 0, 0, 0, 0xD130, 0, u"Select or place notes"},  // 129 Time0Dig
    {nullptr, 0, 0, 0, 0xD131, 0, u"Select or place notes"},  // 130 Time1Dig
    {nullptr, 0, 0, 0, 0xD132, 0, u"Select or place notes"},  // 131 Time2Dig
    {nullptr, 0, 0, 0, 0xD133, 0, u"Select or place notes"},  // 132 Time3Dig
    {nullptr, 0, 0, 0, 0xD134, 0, u"Select or place notes"},  // 133 Time4Dig
    {nullptr, 0, 0, 0, 0xD135, 0, u"Select or place notes"},  // 134 Time5Dig
    {nullptr, 0, 0, 0, 0xD136, 0, u"Select or place notes"},  // 135 Time6Dig
    {nullptr, 0, 0, 0, 0xD137, 0, u"Select or place notes"},  // 136 Time7Dig
    {nullptr, 0, 0, 0, 0xD138, 0, u"Select or place notes"},  // 137 Time8Dig
    {nullptr, 0, 0, 0, 0xD139, 0, u"Select or place notes"},  // 138 Time9Dig
    {nullptr, 32, 20, 0, 0xD1B8, 0, u"Select or place dynamics"},  // 139 DynamicMF
    {nullptr, 32, 20, 0, 0xD1B9, 0, u"Select or place dynamics"},  // 140 DynamicF
    {nullptr, 32, 20, 0, 0xD1BA, 0, u"Select or place dynamics"},  // 141 DynamicFF
    {nullptr, 32, 20, 0, 0xD1BB, 0, u"Select or place dynamics"},  // 142 DynamicFFF
    {nullptr, 32, 20, 0, 0xD1B7, 0, u"Select or place dynamics"},  // 143 DynamicMP
    {nullptr, 32, 20, 0, 0xD1B6, 0, u"Select or place dynamics"},  // 144 DynamicP
    {nullptr, 32, 20, 0, 0xD1B5, 0, u"Select or place dynamics"},  // 145 DynamicPP
    {nullptr, 32, 20, 0, 0xD1B4, 0, u"Select or place dynamics"},  // 146 DynamicPPP
    {nullptr, 32, 20, 0, 0xD1BE, 0, u"Select or place dynamics"},  // 147 DynamicSf
    {nullptr, 32, 20, 0, 0xD1BF, 0, u"Select or place dynamics"},  // 148 DynamicFz
    {u"DYNAMICCRESBMAP", 32, 20, 10, 0, 16, u"Select or place crescendos"},  // 149 DynamicCres
    {u"DYNAMICDIMBMAP", 32, 20, 10, 0, 16, u"Select or place decrescendos"},  // 150 DynamicDim
    {nullptr, 32, 20, 0, 0xD1DA, 0, u"Select or place symbols"},  // 151 Sign1
    {nullptr, 32, 20, 0, 0xD1DB, 0, u"Select or place symbols"},  // 152 Sign2
    {nullptr, 32, 20, 0, 0xD1DC, 0, u"Select or place symbols"},  // 153 Coda
    {nullptr, 32, 20, 0, 0xD1D0, 0, u"Select or place symbols"},  // 154 TextDS
    {nullptr, 32, 20, 0, 0xD1CF, 0, u"Select or place symbols"},  // 155 TextDC
    {nullptr, 32, 20, 0, 0xD1D2, 0, u"Select or place symbols"},  // 156 TextFine
    {nullptr, 32, 20, 0, 0xD1D6, 0, u"Select or place symbols"},  // 157 TextDSFine
    {nullptr, 32, 20, 0, 0xD1D8, 0, u"Select or place symbols"},  // 158 TextDCFine
    {nullptr, 32, 20, 0, 0xD1D7, 0, u"Select or place symbols"},  // 159 TextDSCoda
    {nullptr, 32, 20, 0, 0xD1D9, 0, u"Select or place symbols"},  // 160 TextDCCoda
    {nullptr, 32, 20, 0, 0xD16C, 0, u"Select or place symbols"},  // 161 Simile1
    {nullptr, 32, 20, 0, 0xD1FC, 0, u"Select or place symbols"},  // 162 TextPedal
    {nullptr, 32, 20, 0, 0xD1FD, 0, u"Select or place symbols"},  // 163 TextPedalUp
    {nullptr, 32, 20, 0, 0xD184, 0, u"Select or place symbols"},  // 164 Text8va
    {nullptr, 32, 20, 0, 0xD185, 0, u"Select or place symbols"},  // 165 Text8vb
    {u"BARBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 166 Bar
    {u"BARDOUBLEBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 167 BarDouble
    {u"BARLEFTDOUBLEBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 168 BarLeftDouble
    {u"BARRIGHTDOUBLEBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 169 BarRightDouble
    {u"BARLEFTREPEATBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 170 BarLeftRepeat
    {u"BARRIGHTREPEATBMAP", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 171 BarRightRepeat
    {u"BarDblRepeatBMap", 32, 20, 10, 0, 16, u"Select or place bar lines"},  // 172 BarDoubleRepeat
    {u"RepeatEnding12BMap", 32, 20, 10, 0, 16, u"Select or place 1st/2nd Endings"},  // 173 RepeatEnding12
    {u"RepeatEnding12BMap", 32, 20, 10, 0, 16, u"Select or place 1st/2nd Endings"},  // 174 RepeatDrawEnding
    {u"TEXTCHARBMAP", 32, 20, 10, 0, 16, u"Select or place text characters"},  // 175 MusicChar
    {u"CHORDNAMEBMAP", 32, 20, 10, 0, 16, u"Select or place chord symbols"},  // 176 ChordText
    {u"LINEBMAP", 32, 20, 10, 0, 16, u"Select or place lines"},  // 177 MusicLine
    {u"TEXTSTRINGBMAP", 32, 20, 10, 0, 16, u"Select or place text"},  // 178 MusicText
    {u"TEXTSINGBMAP", 32, 20, 10, 0, 16, u"Select or place song lyrics"},  // 179 MusicSing
    {u"TEXTSTRINGBMAP", 32, 20, 10, 0, 16, u"Select or place text"},  // 180 MusicStaticText
    {u"STAFFBMAP", 32, 20, 10, 0, 16, u"Select or place staves"},  // 181 cStaffBase
    {u"PAGEBMAP", 32, 20, 10, 0, 16, u"Select or place page breaks"},  // 182 cMusicPageBreak
    {u"BRACEBMAP", 32, 20, 10, 0, 16, u"Select or place braces"},  // 183 cMObjBrace
    {u"STAFFBMAP", 32, 20, 10, 0, 16, u"Select or place staves"},  // 184 StaffObject
    {u"BLOCKBMAP", 32, 20, 10, 0, 16, u"Select or place block markers"},  // 185 cMusicBlock
    {u"BRACEBMAP", 32, 20, 10, 0, 16, u"Select or place score"},  // 186 ScoreObject
};

void RaiseMusicObjError(uint32_t index) { RaiseError(&kMusicObjErrors, index | ERR_REPORT); }

namespace {

template <class T>
cPObjPoint *Make() {
    static_assert(T::kClassId >= kFirstSymbolClassId);
    return new T;
}

// The prototypes' makers, by id - kFirstSymbolClassId.  The staff family
// stands a layer above and plugs its makers in (SetSymbolMaker).
tSymbolMaker gSymbolMakers[kSymbolClassCount] = {
    Make<Note164>,  // 17
    Make<Note164Up>,  // 18
    Make<Note132>,  // 19
    Make<Note132Up>,  // 20
    Make<Note116>,  // 21
    Make<Note116Up>,  // 22
    Make<Note18>,  // 23
    Make<Note18Up>,  // 24
    Make<Note14>,  // 25
    Make<Note14Up>,  // 26
    Make<Note12>,  // 27
    Make<Note12Up>,  // 28
    Make<Note11>,  // 29
    Make<ArticDotObject>,  // 30
    Make<ArticDblDotObject>,  // 31
    Make<cBeam>,  // 32
    Make<cTieBeg>,  // 33
    Make<NoteChordObject>,  // 34
    Make<cTupletBeg>,  // 35
    Make<cGraceNote>,  // 36
    Make<ArticSlur>,  // 37
    Make<TieSlur>,  // 38
    Make<cTieEnd>,  // 39
    Make<cBeamEnd>,  // 40
    Make<NoteBeamObject>,  // 41
    Make<cNoteGrace>,  // 42
    Make<NoteBlack>,  // 43
    Make<NoteBlackUp>,  // 44
    Make<NoteWhite>,  // 45
    Make<NoteWhiteUp>,  // 46
    Make<MusicFontNote>,  // 47
    Make<NoteCross>,  // 48
    Make<NoteCrossUp>,  // 49
    Make<NoteTriangleWhite>,  // 50
    Make<NoteTriangleWhiteUp>,  // 51
    Make<NoteTriangleBlack>,  // 52
    Make<NoteTriangleBlackUp>,  // 53
    Make<NoteDiamondWhite>,  // 54
    Make<NoteDiamondWhiteUp>,  // 55
    Make<NoteDiamondBlack>,  // 56
    Make<NoteDiamondBlackUp>,  // 57
    Make<NoteCircleX>,  // 58
    Make<NoteCircleXUp>,  // 59
    Make<NoteFlag8>,  // 60
    Make<NoteFlag8Up>,  // 61
    Make<NoteFlag16>,  // 62
    Make<NoteFlag16Up>,  // 63
    Make<NoteFlag32>,  // 64
    Make<NoteFlag32Up>,  // 65
    Make<NoteFlag64>,  // 66
    Make<NoteFlag64Up>,  // 67
    Make<GraceNoteHead>,  // 68
    Make<cTuplet>,  // 69
    Make<cTupletEnd>,  // 70
    Make<cGraceNoteEnd>,  // 71
    Make<Rest164>,  // 72
    Make<Rest132>,  // 73
    Make<Rest116>,  // 74
    Make<Rest18>,  // 75
    Make<Rest14>,  // 76
    Make<Rest12>,  // 77
    Make<Rest11>,  // 78
    Make<AccidNaturalObject>,  // 79
    Make<AccidSharpObject>,  // 80
    Make<AccidFlatObject>,  // 81
    Make<AccidDblSharpObject>,  // 82
    Make<AccidDblFlatObject>,  // 83
    Make<ArticStacattoObject>,  // 84
    Make<ArticDashObject>,  // 85
    Make<ArticAccentObject>,  // 86
    Make<ArticUpBowObject>,  // 87
    Make<ArticDownBowObject>,  // 88
    Make<OrnmTrillObject>,  // 89
    Make<OrnmMordent1Object>,  // 90
    Make<OrnmMordent2Object>,  // 91
    Make<OrnmTurnUpObject>,  // 92
    Make<OrnmTurnDownObject>,  // 93
    Make<ArticFermataObject>,  // 94
    Make<ArticFermataUpObject>,  // 95
    Make<ClefPercussion1>,  // 96
    Make<ClefPercussion2>,  // 97
    Make<ClefAlto>,  // 98
    Make<ClefTenor>,  // 99
    Make<ClefG8>,  // 100
    Make<ClefG>,  // 101
    Make<ClefF>,  // 102
    Make<KeySigC>,  // 103
    Make<KeySig1Sharp>,  // 104
    Make<KeySig2Sharp>,  // 105
    Make<KeySig3Sharp>,  // 106
    Make<KeySig4Sharp>,  // 107
    Make<KeySig5Sharp>,  // 108
    Make<KeySig6Sharp>,  // 109
    Make<KeySig7Sharp>,  // 110
    Make<KeySig1Flat>,  // 111
    Make<KeySig2Flat>,  // 112
    Make<KeySig3Flat>,  // 113
    Make<KeySig4Flat>,  // 114
    Make<KeySig5Flat>,  // 115
    Make<KeySig6Flat>,  // 116
    Make<KeySig7Flat>,  // 117
    Make<Time28>,  // 118
    Make<Time38>,  // 119
    Make<Time48>,  // 120
    Make<Time24>,  // 121
    Make<Time34>,  // 122
    Make<Time44>,  // 123
    Make<Time68>,  // 124
    Make<TimeC>,  // 125
    Make<TimeC2>,  // 126
    Make<TimeAny>,  // 127
    Make<MMSym>,  // 128
    Make<Time0Dig>,  // 129
    Make<Time1Dig>,  // 130
    Make<Time2Dig>,  // 131
    Make<Time3Dig>,  // 132
    Make<Time4Dig>,  // 133
    Make<Time5Dig>,  // 134
    Make<Time6Dig>,  // 135
    Make<Time7Dig>,  // 136
    Make<Time8Dig>,  // 137
    Make<Time9Dig>,  // 138
    Make<DynamicMF>,  // 139
    Make<DynamicF>,  // 140
    Make<DynamicFF>,  // 141
    Make<DynamicFFF>,  // 142
    Make<DynamicMP>,  // 143
    Make<DynamicP>,  // 144
    Make<DynamicPP>,  // 145
    Make<DynamicPPP>,  // 146
    Make<DynamicSf>,  // 147
    Make<DynamicFz>,  // 148
    Make<DynamicCres>,  // 149
    Make<DynamicDim>,  // 150
    Make<Sign1>,  // 151
    Make<Sign2>,  // 152
    Make<Coda>,  // 153
    Make<TextDS>,  // 154
    Make<TextDC>,  // 155
    Make<TextFine>,  // 156
    Make<TextDSFine>,  // 157
    Make<TextDCFine>,  // 158
    Make<TextDSCoda>,  // 159
    Make<TextDCCoda>,  // 160
    Make<Simile1>,  // 161
    Make<TextPedal>,  // 162
    Make<TextPedalUp>,  // 163
    Make<Text8va>,  // 164
    Make<Text8vb>,  // 165
    Make<Bar>,  // 166
    Make<BarDouble>,  // 167
    Make<BarLeftDouble>,  // 168
    Make<BarRightDouble>,  // 169
    Make<BarLeftRepeat>,  // 170
    Make<BarRightRepeat>,  // 171
    Make<BarDoubleRepeat>,  // 172
    Make<RepeatEnding12>,  // 173
    Make<RepeatDrawEnding>,  // 174
    Make<MusicChar>,  // 175
    Make<ChordText>,  // 176
    Make<MusicLine>,  // 177
    Make<MusicText>,  // 178
    Make<MusicSing>,  // 179
    Make<MusicStaticText>,  // 180
    nullptr,  // 181 cStaffBase
    Make<cMusicPageBreak>,  // 182
    nullptr,  // 183 cMObjBrace
    nullptr,  // 184 StaffObject
    Make<cMusicBlock>,  // 185
    nullptr,  // 186 ScoreObject
};

const sSymbolGlyph &GlyphOf(int16_t id) { return kSymbolGlyphTable[id - kFirstSymbolClassId]; }

// The music font's index when the window has it under its own face; else
// kFontNone.
uint16_t CheckMusicFont(uint16_t index) {
    sFontInfo info;
    if (index == kFontNone || cFontTable::GetInfo(index, info) == kFontNone) return kFontNone;
    return IsMusicFontFace(info.face) ? index : kFontNone;
}

// Finds the music font on the window; when the system lacks it, adds the
// font file beside the program and looks again.  Reports a font still
// missing once; the pictures are then drawn in whatever font was found.
uint16_t FindMusicFont(cGraphDvc &window) {
    uint16_t index = window.FindFont(kMusicFontFace, kMusicFontHeight, 0);
    if (CheckMusicFont(index) != kFontNone) {
        cShapeBmpFont::SetFontName(kMusicFontFace);
        return index;
    }
    std::u16string path = gOpSys ? gOpSys->GetProgramPath() : u"";
    SetFileName(path, kMusicFontFile);
    window.AddFontFile(path.c_str());
    index = window.FindFont(kMusicFontFace, kMusicFontHeight, 0);
    cShapeBmpFont::SetFontName(index != kFontNone ? path.c_str() : u"<NONE>");
    if (CheckMusicFont(index) == kFontNone) RaiseMusicObjError(kMusicObjFontMissing);
    return index;
}

cShapeImg *MakePicture(int16_t id, cGraphDvc *window, uint16_t font) {
    const sSymbolGlyph &g = GlyphOf(id);
    tBitmapHandle bitmap = g.bitmapName && window ? window->LoadBitmapResource(g.bitmapName) : nullptr;
    if (g.character == 0) return new cShapeImgBitMap(bitmap, g.boxWidth, g.boxHeight, g.hotX, g.hotY);
    return new cShapeBmpFont(bitmap, g.boxWidth, g.boxHeight, g.hotX, g.hotY, g.character, font, window);
}

// The pictures and hints, made once per run: a later registry keeps them.
void MakePictures() {
    cShapeImg::ReserveTableIds(kFirstSymbolClassId, kLastSymbolClassId);
    cShapeImg::AllocateTable();
    cGraphDvc *window = gCurrentScoreWindow;
    if (!window) cPObjBase::ErrorInvalidDevice();
    const uint16_t font = window ? FindMusicFont(*window) : kFontNone;
    for (int16_t id = kFirstSymbolClassId; id <= kLastSymbolClassId; ++id) {
        cShapeImg::SetForClass(id, MakePicture(id, window, font));
        if (cPObjPoint *prototype = cPObjBase::PrototypeById(id)) prototype->SetHint(GlyphOf(id).hint);
    }
}

}  // namespace

void BuildSymbolPrototypes() {
    if (!cPObjBase::RegistryAllocated()) {
        cPObjBase::ReserveRegistryIds(kFirstSymbolClassId, kLastSymbolClassId);
        cPObjBase::RegisterBaseClasses();
        return;
    }
    for (auto make : gSymbolMakers)
        if (make) make()->Register(nullptr);
    cPObjBase::RegisterBaseClasses();
    if (cShapeImg::TableAllocated()) return;
    MakePictures();
}

void SetSymbolMaker(int16_t id, tSymbolMaker make) {
    if (id >= kFirstSymbolClassId && id <= kLastSymbolClassId) gSymbolMakers[id - kFirstSymbolClassId] = make;
}

void CreateSymbolRegistry() { cPObjBase::BuildRegistry(BuildSymbolPrototypes); }

void ReloadSymbolBitmaps() {
    cGraphDvc *window = gCurrentScoreWindow;
    if (!window) {
        cPObjBase::ErrorInvalidDevice();
        return;
    }
    for (int16_t id = kFirstSymbolClassId; id <= kLastSymbolClassId; ++id) {
        const sSymbolGlyph &g = GlyphOf(id);
        if (g.character != 0) continue;
        auto *picture = dynamic_cast<cShapeImgBitMap *>(cShapeImg::ForClass(id));
        if (!picture || window->FreeBitmap(picture->GetBitmap()) == kFailed) continue;
        picture->SetBitmap(window->LoadBitmapResource(g.bitmapName), g.boxWidth, g.boxHeight, g.hotX, g.hotY);
    }
}

void ResetSymbolHints() {
    for (int16_t id = kFirstSymbolClassId; id <= kLastSymbolClassId; ++id)
        if (cPObjPoint *prototype = cPObjBase::PrototypeById(id)) prototype->SetHint(GlyphOf(id).hint);
}
