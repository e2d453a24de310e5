// The status bar: a list of parts along the bottom of the frame, each a
// text field at a fixed position, optionally followed by a gap that holds a
// small slider.  cStatusBarBase keeps the parts and their texts; cStatusBar
// shows them in the window system's status control.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/base_defs.h"
#include "foundation/vector_ptr.h"
#include "ui/view_port.h"

class cStatusBarBase;


class cStatusBarPart {
public:
    cStatusBarPart(int32_t left, int32_t width, int32_t gap, int32_t style, const char16_t *text);
    virtual ~cStatusBarPart();

    virtual void Assign(const cStatusBarPart &other);
    virtual bool HasSameLeft(const cStatusBarPart &other) const;
    virtual bool HasLowerLeft(const cStatusBarPart &other) const;
    virtual int32_t GetLeft() const;
    // Null empties the text.
    virtual void SetText(const char16_t *newText);
    virtual const char16_t *GetText() const;
    virtual int32_t GetStart() const;
    // left + width - 1
    virtual int32_t GetRight() const;
    // left + width + gap - 1: the last pixel of the gap.
    virtual int32_t GetEnd() const;
    virtual void SetControlIndex(int32_t index);
    virtual int32_t GetControlIndex() const;
    // 0 = field without border.
    virtual int32_t GetStyle() const;

    const std::u16string &Text() const { return text; }

private:
    int32_t left;
    int32_t width;
    int32_t gap;
    int32_t style;
    int32_t controlIndex = 0;
    std::u16string text;
};

template <>
struct lcVectorPtrTraits<cStatusBarPart> : lcVectorPtrTraitsBase<cStatusBarPart> {
    static bool IsEqual(const cStatusBarPart &key, const cStatusBarPart &e) { return key.HasSameLeft(e); }
    static bool IsBefore(const cStatusBarPart &key, const cStatusBarPart &e) { return key.HasLowerLeft(e); }
};

// Right edges of the status control's fields for parts sorted by left edge:
// a borderless filler field before every part that does not start right
// after the previous field, the part's own field, and a last field reaching
// the bar's end (-1).  Each part's field index goes into fieldIndexes.
std::vector<int32_t> StatusFieldEdges(const std::vector<const cStatusBarPart *> &parts,
                                      std::vector<int32_t> *fieldIndexes);

class cStatusBarBase : public cViewPort {
public:
    using cPart = cStatusBarPart;

    cStatusBarBase(cMessageDvcBase *parentWindow, int32_t helpPart);
    ~cStatusBarBase() override;

    tStatus PrepareDraw() override;
    tStatus OnPaint(sWinMessage &record) override;

    // Sorted insert; a part with the same left edge is replaced.  Answers
    // the part's index, -1 for null.
    virtual int32_t InsertPart(cPart *part);
    virtual int32_t AddPart(int32_t left, int32_t width, int32_t gap, int32_t style);
    // After the end of the last part, or at 0 on an empty bar.
    virtual int32_t AppendPart(int32_t width, int32_t gap, int32_t style);
    virtual cPart *GetPart(int32_t index);
    virtual tStatus ShowPart(int32_t index) = 0;
    // RC_FAIL for an index at or beyond the count.
    virtual tStatus SetPartText(int32_t index, const char16_t *text);
    virtual tStatus SetPartString(int32_t index, const std::u16string &text);
    virtual tStatus SetHelpText(const char16_t *text);
    virtual tStatus SetHelpString(const std::u16string &text);
    // Temporary strings; null for an index at or beyond the count.
    virtual const char16_t *GetPartText(int32_t index);
    virtual const char16_t *GetHelpText();

    int32_t GetPartCount() const { return int32_t(parts.size()); }
    int32_t GetHelpPartIndex() const { return helpPart; }

protected:
    int32_t helpPart;
    lcVectorPtr<cPart> parts;
};

// The Win32 status control under the bar.
class cStatusBar : public cStatusBarBase {
public:
    cStatusBar(cMessageDvcBase *parentWindow, int32_t helpPart);
    ~cStatusBar() override;

    tStatus PrepareDraw() override;
    tStatus Open() override;
    tStatus SetSize(int32_t width, int32_t height) override;
    tStatus ShowPart(int32_t index) override;

    tWindowHandle GetControlHandle() const { return control; }

private:
    tWindowHandle control = nullptr;
};
