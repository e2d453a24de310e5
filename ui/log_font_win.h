// The font record to and from the system's LOGFONTW, field for field.
#pragma once

#include "foundation/win32_win.h"
#include "ui/font_table.h"

static_assert(kMaxFaceChars + 1 == LF_FACESIZE, "the face field holds what the system's does");

inline LOGFONTW ToLogFontW(const sLogFont &font) {
    LOGFONTW lf{};
    lf.lfHeight = font.height;
    lf.lfWidth = font.width;
    lf.lfEscapement = font.escapement;
    lf.lfOrientation = font.orientation;
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeOut;
    lf.lfCharSet = font.charSet;
    lf.lfOutPrecision = font.outPrecision;
    lf.lfClipPrecision = font.clipPrecision;
    lf.lfQuality = font.quality;
    lf.lfPitchAndFamily = font.pitchAndFamily;
    for (uint32_t i = 0; i <= kMaxFaceChars; i++) lf.lfFaceName[i] = static_cast<WCHAR>(font.face[i]);
    return lf;
}

inline sLogFont FromLogFontW(const LOGFONTW &lf) {
    sLogFont font;
    font.height = lf.lfHeight;
    font.width = lf.lfWidth;
    font.escapement = lf.lfEscapement;
    font.orientation = lf.lfOrientation;
    font.weight = lf.lfWeight;
    font.italic = lf.lfItalic;
    font.underline = lf.lfUnderline;
    font.strikeOut = lf.lfStrikeOut;
    font.charSet = lf.lfCharSet;
    font.outPrecision = lf.lfOutPrecision;
    font.clipPrecision = lf.lfClipPrecision;
    font.quality = lf.lfQuality;
    font.pitchAndFamily = lf.lfPitchAndFamily;
    for (uint32_t i = 0; i <= kMaxFaceChars; i++) font.face[i] = static_cast<char16_t>(lf.lfFaceName[i]);
    return font;
}
