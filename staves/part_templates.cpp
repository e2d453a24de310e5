#include "staves/part_templates.h"

#include <algorithm>

#include "document/symbol_base.h"
#include "ui/graph_dvc.h"

// ---- Class-wide state of the staffs ----
cStaffBase::StaffTemplate *gStaffTemplates = nullptr;
uint16_t gCurrentTemplateIndex = 0;
uint32_t gScoreStaffFlags = 0;
int16_t gPartNameFont = -1;
int16_t gNoteGrid = 0;
int32_t gBarNumberMode = 0;
cPObjPoint *gPendingBar = nullptr;
int16_t gStaffClefGap = 4;
int16_t gStaffKeyGap = 6;
int16_t gStaffDefaultClef = 101;
int16_t gStaffDefaultKey = 103;
uint16_t gStaffDefaultTime = 0x402;

namespace {

// The index of the last template when the index lies beyond the list.
int32_t ClampedIndex(int32_t index, const cStaffBase::StaffTemplate &list) {
    if (list.Count() == 0) return 0;
    return std::clamp(index, 0, list.Count() - 1);
}

// Thousandths of an inch in document units, rounded, at the template's
// staff height.
int32_t ToUnits(uint32_t thousandths, const cStaffBase::sTemplate &t) {
    if (t.height <= 0) return 0;
    const uint32_t height = uint32_t(t.height);
    return int32_t((thousandths * uint32_t(t.heightUnits) + height / 2) / height);
}

}  // namespace

// ---- Template -------------------------------------------------------------

cStaffBase::sTemplate::sTemplate(const char16_t *name) : name(name ? name : u"Part") {}

int32_t cStaffBase::sTemplate::LineSpacing() const {
    // A staff of fewer than two lines (only a damaged file gives one) is
    // spaced as if it had two rather than dividing by zero.
    if (lines < 2) return heightUnits - 1;
    return (heightUnits - 1) / (lines - 1);
}

int32_t cStaffBase::sTemplate::WidthUnits() const {
    if (height <= 0) return 0;
    return (int32_t(width) * heightUnits + height / 2) / height;
}

int32_t cStaffBase::sTemplate::MarginUnits() const {
    int32_t m = margin;
    if (gOutputWindow) {
        const uint32_t dpi = gOutputWindow->GetDpi();
        const int32_t offset = dpi ? int32_t(int64_t(gOutputWindow->GetOffsetX()) * 1000 / dpi) : 0;
        m = std::max(m - offset, 0);
    } else {
        m -= 250;
    }
    return ToUnits(uint32_t(m), *this);
}

// ---- Template list ----------------------------------------------------------

cStaffBase::StaffTemplate::StaffTemplate(const StaffTemplate *other) {
    if (!other) return;
    templates.reserve(other->templates.size());
    for (const sTemplate *t : other->templates) templates.push_back(new sTemplate(*t));
}

cStaffBase::StaffTemplate::~StaffTemplate() {
    for (sTemplate *t : templates) delete t;
}

cStaffBase::sTemplate *cStaffBase::StaffTemplate::At(int32_t index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return templates[size_t(index)];
}

void cStaffBase::StaffTemplate::Append(sTemplate *t) {
    if (t) templates.push_back(t);
}

cStaffBase::sTemplate *cStaffBase::StaffTemplate::Remove(int32_t index) {
    if (index < 0 || index >= Count()) return nullptr;
    sTemplate *t = templates[size_t(index)];
    templates.erase(templates.begin() + index);
    return t;
}

// ---- Staff class: template access -------------------------------------------

void cStaffBase::MakeDefaultTemplates() {
    delete gStaffTemplates;
    gStaffTemplates = new StaffTemplate;
    gStaffTemplates->Append(new sTemplate(u"Part 1"));
    gCurrentTemplateIndex = 0;
}

cStaffBase::sTemplate *cStaffBase::CurrentTemplate() {
    if (!gStaffTemplates) return nullptr;
    return gStaffTemplates->At(ClampedIndex(gCurrentTemplateIndex, *gStaffTemplates));
}

cStaffBase::sTemplate *cStaffBase::TemplateOf() {
    if (!gStaffTemplates) return nullptr;
    return gStaffTemplates->At(ClampedIndex(templateIndex, *gStaffTemplates));
}

void cStaffBase::ClampTemplateIndex() {
    if (!gStaffTemplates || gStaffTemplates->Count() == 0) return;
    templateIndex = uint16_t(ClampedIndex(templateIndex, *gStaffTemplates));
    gCurrentTemplateIndex = uint16_t(ClampedIndex(gCurrentTemplateIndex, *gStaffTemplates));
}
