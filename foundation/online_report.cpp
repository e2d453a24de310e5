#include "foundation/error_msg.h"

#include <string>

#include "platform/op_sys_base.h"

void OfferOnlineReport(cErrorMsg &reporter) {
    std::u16string box = reporter.LastText();
    box += u"\n\nPlease report the error online to help fix the problem.\nThere's more information in:\n";
    box += gOpSys->GetErrorReportPath();
    gOpSys->MessageBox(box.c_str(), u"Warning", 0x1031);
}
