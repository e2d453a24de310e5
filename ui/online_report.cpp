#include "ui/online_report.h"

#include <string>

#include "foundation/url_query.h"
#include "platform/op_sys_base.h"
#include "ui/view_port_top.h"

namespace {
// Type bits and answer of the window system's message box.  A system-modal
// box stays on top of every window, so that the offer is seen after a fault.
constexpr uint32_t kBoxOkCancel = 0x0001;
constexpr uint32_t kBoxIconWarning = 0x0030;
constexpr uint32_t kBoxSystemModal = 0x1000;
constexpr int32_t kBoxAnsweredOk = 1;
}  // namespace

void OfferOnlineReport(cErrorMsg &reporter) {
    std::u16string reportPath = gOpSys->GetErrorReportPath();
    // "LocalNet" in the settings names another host for the page.
    std::u16string host;
    if (const char16_t *localNet = gOpSys->Settings().GetValue(u"LocalNet")) host = localNet;
    // The page gets the error text without the box's own lines.
    std::u16string address = BuildErrorReportAddress(host.c_str(), reporter.LastText(), gOpSys->GetSystemInfo(),
                                                     gOpSys->GetCurrentFile().c_str(), reportPath.c_str());
    std::u16string box = reporter.LastText();
    box += u"\n\nPlease report the error online to help fix the problem.\nThere's more information in:\n";
    box += reportPath;
    // The box belongs to the main window, which stays disabled while it is up.
    cViewPortTop *main = gOpSys->GetMainWindow();
    constexpr uint32_t kType = kBoxSystemModal | kBoxIconWarning | kBoxOkCancel;
    if (main && main->ShowMessageBox(box.c_str(), u"Warning", kType) == kBoxAnsweredOk)
        gOpSys->ShellOpen(address.c_str(), u"");
}
