#include "ui/status_bar.h"

#include "foundation/char_string.h"
#include "ui/gui_control.h"

// ---- parts ----

cStatusBarPart::cStatusBarPart(int32_t partLeft, int32_t partWidth, int32_t partGap, int32_t partStyle,
                               const char16_t *partText)
    : left(partLeft), width(partWidth), gap(partGap), style(partStyle) {
    if (partText) text = partText;
}

cStatusBarPart::~cStatusBarPart() = default;

void cStatusBarPart::Assign(const cStatusBarPart &other) {
    left = other.left;
    width = other.width;
    gap = other.gap;
    style = other.style;
    controlIndex = other.controlIndex;
    text = other.text;
}

bool cStatusBarPart::HasSameLeft(const cStatusBarPart &other) const { return left == other.left; }
bool cStatusBarPart::HasLowerLeft(const cStatusBarPart &other) const { return left < other.left; }
int32_t cStatusBarPart::GetLeft() const { return left; }
void cStatusBarPart::SetText(const char16_t *newText) { text = newText ? newText : u""; }
const char16_t *cStatusBarPart::GetText() const { return TempStringOf(text); }
int32_t cStatusBarPart::GetStart() const { return left; }
int32_t cStatusBarPart::GetRight() const { return left + width - 1; }
int32_t cStatusBarPart::GetEnd() const { return left + width + gap - 1; }
void cStatusBarPart::SetControlIndex(int32_t index) { controlIndex = index; }
int32_t cStatusBarPart::GetControlIndex() const { return controlIndex; }
int32_t cStatusBarPart::GetStyle() const { return style; }

std::vector<int32_t> StatusFieldEdges(const std::vector<const cStatusBarPart *> &parts,
                                      std::vector<int32_t> *fieldIndexes) {
    std::vector<int32_t> edges;
    edges.reserve(2 * parts.size() + 2);
    if (fieldIndexes) fieldIndexes->clear();
    int32_t previous = -1;
    for (const cStatusBarPart *part : parts) {
        if (part->GetLeft() > previous + 1) edges.push_back(part->GetLeft() - 1);
        if (fieldIndexes) fieldIndexes->push_back(int32_t(edges.size()));
        edges.push_back(part->GetRight());
        previous = part->GetRight();
    }
    edges.push_back(-1);
    return edges;
}

// ---- cStatusBarBase ----

cStatusBarBase::cStatusBarBase(cMessageDvcBase *parentWindow, int32_t helpPartIndex)
    : cViewPort(parentWindow, 0x50000000, u"StatusBarVp"), helpPart(helpPartIndex) {}

cStatusBarBase::~cStatusBarBase() = default;

tStatus cStatusBarBase::PrepareDraw() { return RC_OK; }

tStatus cStatusBarBase::OnPaint(sWinMessage &) {
    for (cGuiControl *control : Controls()) {
        if (!control || !control->IsEnabled()) continue;
        control->InvalidateAll();
        control->PrepareDraw();
    }
    return RC_OK;
}

int32_t cStatusBarBase::InsertPart(cPart *part) {
    if (!part) return -1;
    int32_t index = parts.InsertSorted(part, true);
    PrepareDraw();
    return index;
}

int32_t cStatusBarBase::AddPart(int32_t left, int32_t width, int32_t gap, int32_t style) {
    return InsertPart(new cPart(left, width, gap, style, nullptr));
}

int32_t cStatusBarBase::AppendPart(int32_t width, int32_t gap, int32_t style) {
    int32_t left = parts.empty() ? 0 : parts.back()->GetEnd() + 1;
    return AddPart(left, width, gap, style);
}

cStatusBarBase::cPart *cStatusBarBase::GetPart(int32_t index) {
    return uint32_t(index) < parts.size() ? parts[size_t(index)] : nullptr;
}

tStatus cStatusBarBase::SetPartText(int32_t index, const char16_t *text) {
    cPart *part = GetPart(index);
    if (!part) return RC_FAIL;
    part->SetText(text);
    return ShowPart(index);
}

tStatus cStatusBarBase::SetPartString(int32_t index, const std::u16string &text) {
    return SetPartText(index, text.c_str());
}

tStatus cStatusBarBase::SetHelpText(const char16_t *text) { return SetPartText(helpPart, text); }

tStatus cStatusBarBase::SetHelpString(const std::u16string &text) { return SetPartText(helpPart, text.c_str()); }

const char16_t *cStatusBarBase::GetPartText(int32_t index) {
    cPart *part = GetPart(index);
    return part ? part->GetText() : nullptr;
}

const char16_t *cStatusBarBase::GetHelpText() { return GetPartText(helpPart); }
