#include "ui/win_print.h"

#include "foundation/char_string.h"
#include "platform/op_sys_base.h"

PELMORA_ERROR_TABLE(kWinPrintErrors, u"WinPrint", u"Can't load driver.", u"Driver error.", u"Can't open printer.",
                    u"Out of memory.", u"Invalid Device Context", u"Page error");

void RaiseWinPrintError(uint32_t index) { RaiseError(&kWinPrintErrors, index); }

cWinPrint *gCurrentPrinter = nullptr;
std::vector<sPrinterInfo> *gPrinterList = nullptr;

namespace {

constexpr uint32_t kPlatformNt = 2;

bool IsNt() { return gOpSys && gOpSys->GetPlatformId() == kPlatformNt; }

void LogLastError(const char16_t *context) {
    if (gOpSys) gOpSys->ShowLastError(context);
}

// A printer context for one call when the device holds none.
class cTakenPrinterDC {
public:
    explicit cTakenPrinterDC(cWinPrint &printer) : printer(printer) {
        if (printer.GetHeldDC()) return;
        taken = printer.GetDeviceContext();
        if (taken) printer.SetDeviceContext(taken);
    }
    ~cTakenPrinterDC() {
        if (!taken) return;
        printer.SetDeviceContext(nullptr);
        GetPrintSpooler().DeletePrinterDC(taken);
    }
    cTakenPrinterDC(const cTakenPrinterDC &) = delete;
    cTakenPrinterDC &operator=(const cTakenPrinterDC &) = delete;

private:
    cWinPrint &printer;
    tDcHandle taken = nullptr;
};

}  // namespace

cWinPrint::cWinPrint() : cGraphDvc(nullptr) {
    resolution = 300;
    offsetX = offsetY = 150;
    // 10 x 7.5 inches until a printer tells its page.
    deviceRect.SetSize(3000, 2250);
    frameRect.Assign(deviceRect);
    if (!gCurrentPrinter) gCurrentPrinter = this;

    cPrintSpooler &spooler = GetPrintSpooler();
    if (IsNt()) {
        std::u16string name;
        if (spooler.GetDefaultPrinter(name) == RC_OK) {
            printerName = name;
            chosenPrinter = FindPrinter(kPrinterEnumLocal, name.c_str());
        }
    } else if (FindPrinter(kPrinterEnumDefault, nullptr) >= 0) {
        printerName = (*gPrinterList)[0].printerName;
    }
}

cWinPrint::~cWinPrint() {
    if (gCurrentPrinter == this) {
        gCurrentPrinter = nullptr;
        delete gPrinterList;
        gPrinterList = nullptr;
    }
}

int32_t cWinPrint::FindPrinter(uint32_t flags, const char16_t *name) {
    delete gPrinterList;
    gPrinterList = new std::vector<sPrinterInfo>();
    if (GetPrintSpooler().EnumPrinters(flags, *gPrinterList) < 0) return RC_FAIL;
    // An index always names a record of the list.
    if (gPrinterList->empty()) return RC_FAIL;
    if (!name || flags == kPrinterEnumDefault) return 0;
    for (size_t i = 0; i < gPrinterList->size(); i++) {
        if ((*gPrinterList)[i].printerName == name) return static_cast<int32_t>(i);
    }
    if (flags & kPrinterEnumLocal) return FindPrinter(kPrinterEnumConnectionsByName, name);
    return RC_FAIL;
}

bool cWinPrint::HasPrinter() const { return ChosenRecord() != nullptr; }

const sPrinterInfo *cWinPrint::ChosenRecord() const {
    if (chosenPrinter < 0 || !gPrinterList || size_t(chosenPrinter) >= gPrinterList->size()) return nullptr;
    return &(*gPrinterList)[size_t(chosenPrinter)];
}

tDcHandle GetPrinterInfoDC() {
    const sPrinterInfo *record = gCurrentPrinter ? gCurrentPrinter->ChosenRecord() : nullptr;
    return record ? GetPrintSpooler().CreatePrinterIC(*record) : nullptr;
}

tStatus cWinPrint::ChoosePrinter(cDispDvc *owner, const char16_t *name) {
    std::u16string chosenName;
    if (name) {
        chosenName = name;
    } else if (GetPrintSpooler().ShowSetupDialog(owner ? owner->GetWindowHandle() : nullptr, chosenName) < 0) {
        return RC_FAIL;
    }
    // The search replaces the list; a failed choice puts the old one back, so
    // that the printer in use stays usable.
    std::vector<sPrinterInfo> previous = gPrinterList ? *gPrinterList : std::vector<sPrinterInfo>();
    int32_t index = FindPrinter(kPrinterEnumLocal, chosenName.c_str());
    if (index < 0) {
        *gPrinterList = std::move(previous);
        return RC_FAIL;
    }
    printerName = chosenName;
    chosenPrinter = index;
    PrepareDraw();
    return RC_OK;
}

tDcHandle cWinPrint::GetDeviceContext() {
    if (deviceContext) return deviceContext;
    const sPrinterInfo *record = ChosenRecord();
    if (!record) return nullptr;
    tDcHandle dc = GetPrintSpooler().CreatePrinterDC(*record, IsNt());
    if (!dc) RaiseWinPrintError(4);
    return dc;
}

void cWinPrint::TakePageMetrics() {
    sPageMetrics page;
    if (deviceContext && GetPrintSpooler().ReadPage(deviceContext, page) == RC_OK) {
        resolution = page.resolution;
        offsetX = page.offsetX;
        offsetY = page.offsetY;
        deviceRect.SetSize(page.width, page.height);
        frameRect.Assign(deviceRect);
    }
}

tStatus cWinPrint::Attach() {
    if (!HasPrinter()) return RC_FAIL;
    cTakenPrinterDC taken(*this);
    const tStatus result = cGraphDvc::Attach();
    TakePageMetrics();
    return result;
}

tStatus cWinPrint::PrepareDraw() {
    if (!HasPrinter()) return RC_FAIL;
    cTakenPrinterDC taken(*this);
    tStatus result = cGraphDvc::PrepareDraw();
    TakePageMetrics();
    return result;
}

tStatus cWinPrint::Open() {
    if (!HasPrinter()) return RC_FAIL;
    cPrintSpooler &spooler = GetPrintSpooler();
    deviceContext = GetDeviceContext();
    tStatus result = cDispDvcBase::Open();
    Attach();
    PrepareDraw();
    documentName = u"PrintDoc";
    if (spooler.StartDoc(deviceContext, documentName.c_str()) <= 0) return RC_FAIL;
    if (spooler.StartPage(deviceContext) <= 0) {
        LogLastError(u"StartPage");
        return RC_FAIL;
    }
    if (spooler.SelectPageClip(deviceContext, GetWidth() - 1, GetHeight() - 1) < 0) {
        RaiseWinPrintError(4);
        return DVC_NO_DC;
    }
    return result;
}

// A page on which nothing was drawn is not ended: the next drawing goes on it.
void cWinPrint::NewPage() {
    if (dirty) {
        cPrintSpooler &spooler = GetPrintSpooler();
        int32_t ended = spooler.EndPage(deviceContext);
        int32_t started = spooler.StartPage(deviceContext);
        if (ended <= 0 || started <= 0) RaiseWinPrintError(5);
        PrepareDraw();
    }
    dirty = 0;
}

tStatus cWinPrint::Close() {
    if (!HasPrinter()) return RC_FAIL;
    cPrintSpooler &spooler = GetPrintSpooler();
    if (dirty && spooler.EndPage(deviceContext) <= 0) LogLastError(u"EndDoc");
    dirty = 0;
    if (spooler.EndDoc(deviceContext) <= 0) LogLastError(u"EndDoc");
    ReleaseDraw();
    tStatus result = cDispDvcBase::Close();
    spooler.DeletePrinterDC(deviceContext);
    deviceContext = nullptr;
    return result;
}

const char16_t *cWinPrint::Describe() {
    cCharString text(u"Printer=");
    text.append(printerName);
    text.append(u", width=");
    text.AppendInt(GetWidth());
    text.append(u", height=");
    text.AppendInt(GetHeight());
    text.append(u", ");
    text.AppendUnsigned(resolution);
    text.append(u"DPI");
    return TempStringOf(text);
}
