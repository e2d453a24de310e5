#include "document/line_symbol.h"

#include <memory>
#include <ostream>

#include "foundation/ascii_file.h"
#include "foundation/binary_file.h"
#include "ui/button_controls.h"
#include "ui/dialog_box.h"
#include "ui/list_controls.h"
#include "ui/view_port.h"

uint8_t cLineObject::gDefaultLineWidth = 1;

namespace {

const char16_t *const kLineWidths[] = {u"1", u"2", u"3", u"4",  u"5",  u"6",
                                       u"7", u"8", u"9", u"10", u"11", u"12", nullptr};

cLineObject::sCmdSetupLine *AsLineRecord(sCommandPrm *record) {
    return dynamic_cast<cLineObject::sCmdSetupLine *>(record);
}

}  // namespace

int32_t cLineObject::HitTest(int32_t px, int32_t py) {
    return int64_t(GetLeft()) - 2 <= px && px <= int64_t(GetRight()) + 2 && int64_t(GetTop()) - 2 <= py &&
                   py <= int64_t(GetBottom()) + 2
               ? 1
               : 0;
}

uint8_t cLineObject::SetLineWidth(uint8_t value) {
    InvalidateBefore();
    uint8_t previous = lineWidth;
    lineWidth = value;
    InvalidateAfter();
    return previous;
}

// Lines are drawn whatever the draw budget says.
cPObjPoint *cLineObject::Draw() {
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return this;
    }
    int32_t previous = gCurrentScoreWindow->SetLineWidth(lineWidth);
    gCurrentScoreWindow->DrawLine(x, y, FarEdge(x, width), FarEdge(y, height));
    gCurrentScoreWindow->SetLineWidth(previous);
    return this;
}

bool cLineObject::OnInsert() {
    bool accepted = ScaledObject::OnInsert();
    gEditMode = kEditResize;
    return accepted;
}

tStatus cLineObject::SaveBinary(sCmdFileSave *record) {
    if (ScaledObject::SaveBinary(record) < 0) return kFailed;
    return record->file->Write(&lineWidth, 1) < 0 ? kFailed : 0;
}

tStatus cLineObject::LoadBinary(cBinaryFileBase *file, uint16_t size) {
    tStatus result = ScaledObject::LoadBinary(file, size);
    if (result < 0) return result;
    uint8_t value = 0;
    if (!ReadBytes(file, &value, 1)) return kFailed;
    lineWidth = value;
    return 0;
}

tStatus cLineObject::ExportText(sCmdExpAsc *record) {
    tStatus result = ScaledObject::ExportText(record);
    if (result < 0) return result;
    *record->output << " = " << int32_t(lineWidth);
    return 0;
}

tStatus cLineObject::ImportText(sCmdImpAsc *record) {
    tStatus result = ScaledObject::ImportText(record);
    if (result != 0 || !record) return result;
    cAsciiFile &in = *record->input;
    if (in.PeekAfterWhiteSpace() == '=' && in.Expect(u"=") == 0) {
        int32_t value = in.ReadInt();
        if (in.GetErrorLatch() == 0) lineWidth = uint8_t(value & 0xFF);
    }
    return in.GetErrorLatch();
}

sCommandPrm *cLineObject::FillRecord(sCommandPrm *record, uint8_t width) {
    sCmdSetupLine *line = AsLineRecord(record);
    if (!line) return record;
    line->editMode = int32_t(gEditMode);
    line->editFlags = int32_t(gEditFlags);
    line->lineWidth = width;
    return line;
}

sCommandPrm *cLineObject::GetClassSetup(sCommandPrm *record) {
    return FillRecord(record ? record : new sCmdSetupLine, gDefaultLineWidth);
}

sCommandPrm *cLineObject::GetObjectSetup(sCommandPrm *record) {
    return FillRecord(record ? record : new sCmdSetupLine, lineWidth);
}

tStatus cLineObject::SetClassSetup(sCommandPrm *record) {
    sCmdSetupLine *line = AsLineRecord(record);
    if (!line || line->commandId != kCmdSetupLine) return kFailed;
    gEditMode = uint32_t(line->editMode);
    gDefaultLineWidth = line->lineWidth;
    return 0;
}

// The object's width becomes the default of new lines as well.
tStatus cLineObject::SetObjectSetup(sCommandPrm *record) {
    sCmdSetupLine *line = AsLineRecord(record);
    if (!line || line->commandId != kCmdSetupLine) return kFailed;
    SetClassSetup(line);
    SetLineWidth(line->lineWidth);
    if (gCurrentScoreWindow) RedrawWholeWindow();
    return 0;
}

int32_t cLineObject::Setup(sCommandPrm *record) {
    sCmdSetupLine *line = AsLineRecord(record);
    if (!line || line->familyId != kCmdSetupLine) return 0;
    if (!gCurrentScoreWindow) {
        ErrorInvalidDevice();
        return 0;
    }
    // Unlike the scaled symbol's dialog, any other mode selects neither button.
    int32_t mode = line->editMode;
    int32_t index = int32_t(line->lineWidth) - 1;
    std::unique_ptr<cDialogBox> dialog(gCurrentScoreWindow->NewDialogBox(kSetupDialog, kSetupHelpTopic));
    if (!dialog) return 0;
    dialog->NewComboBox(kWidthCombo, kLineWidths, &index, 0)->SetHint(u"Set the line width");
    dialog->NewRadioButton(kResizeButton, &mode, kEditResize)->SetHint(u"Resize the line");
    dialog->NewRadioButton(kMoveButton, &mode, kEditMove)->SetHint(u"Move the line");
    if (dialog->Open() != RC_OK) return 0;
    line->editMode = mode;
    // A selection that names no entry keeps the width.
    if (index >= 0 && index < kMaxLineWidth) line->lineWidth = uint8_t(index + 1);
    return 1;
}
