// The print system of Windows: WINSPOOL's printer list and default printer,
// the Print Setup dialog and the GDI calls of a print job.
#include <cstddef>
#include <vector>

#include "platform/op_sys_base.h"
#include "foundation/win32_win.h"
#include "ui/print_spooler.h"

namespace {

std::u16string TextOf(const wchar_t *text) { return text ? std::u16string(U(text)) : std::u16string(); }

class cWindowsSpooler : public cPrintSpooler {
public:
    tStatus GetDefaultPrinter(std::u16string &name) override {
        DWORD size = 0;
        SetLastError(0);
        GetDefaultPrinterW(nullptr, &size);
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size == 0) return RC_FAIL;
        std::vector<wchar_t> buffer(size + 1, 0);
        if (!GetDefaultPrinterW(buffer.data(), &size)) return RC_FAIL;
        name = TextOf(buffer.data());
        return RC_OK;
    }

    tStatus EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) override {
        list.clear();
        DWORD needed = 0, returned = 0;
        BYTE probe[4];
        if (EnumPrintersW(flags, nullptr, 2, probe, sizeof probe, &needed, &returned)) return RC_OK;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return RC_FAIL;
        // Whole records, as the spooler fills them.
        size_t records = (needed + sizeof(PRINTER_INFO_2W) - 1) / sizeof(PRINTER_INFO_2W);
        std::vector<PRINTER_INFO_2W> buffer(records);
        DWORD bytes = static_cast<DWORD>(records * sizeof(PRINTER_INFO_2W));
        if (!EnumPrintersW(flags, nullptr, 2, reinterpret_cast<BYTE *>(buffer.data()), bytes, &needed, &returned))
            return RC_FAIL;
        for (DWORD i = 0; i < returned; i++) {
            const PRINTER_INFO_2W &p = buffer[i];
            sPrinterInfo info;
            info.printerName = TextOf(p.pPrinterName);
            info.driverName = TextOf(p.pDriverName);
            info.portName = TextOf(p.pPortName);
            if (p.pDevMode) {
                const BYTE *bytesOf = reinterpret_cast<const BYTE *>(p.pDevMode);
                info.devMode.assign(bytesOf, bytesOf + p.pDevMode->dmSize + p.pDevMode->dmDriverExtra);
            }
            list.push_back(std::move(info));
        }
        return RC_OK;
    }

    tStatus ShowSetupDialog(HWND owner, std::u16string &deviceName) override {
        PRINTDLGW dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = owner;
        dialog.Flags = PD_PRINTSETUP | PD_NOPAGENUMS;
        if (!PrintDlgW(&dialog)) return RC_FAIL;
        if (dialog.hDevMode && !GlobalLock(dialog.hDevMode) && gOpSys) gOpSys->ShowLastError(u"GlobalLock");
        if (dialog.hDevNames) {
            if (auto *names = static_cast<DEVNAMES *>(GlobalLock(dialog.hDevNames))) {
                deviceName = TextOf(reinterpret_cast<const wchar_t *>(names) + names->wDeviceOffset);
                GlobalUnlock(dialog.hDevNames);
            }
            GlobalFree(dialog.hDevNames);
        }
        if (dialog.hDevMode) {
            GlobalUnlock(dialog.hDevMode);
            GlobalFree(dialog.hDevMode);
        }
        return RC_OK;
    }

    HDC CreatePrinterDC(const sPrinterInfo &printer, bool nt) override {
        std::vector<uint8_t> mode = printer.devMode;
        DEVMODEW *devMode = nullptr;
        if (mode.size() >= offsetof(DEVMODEW, dmDefaultSource) + sizeof(short)) {
            devMode = reinterpret_cast<DEVMODEW *>(mode.data());
            devMode->dmDefaultSource = 0;
        }
        return CreateDCW(nt ? L"WINSPOOL" : nullptr, W(printer.printerName.c_str()), nullptr, devMode);
    }

    HDC CreatePrinterIC(const sPrinterInfo &printer) override {
        return CreateICW(W(printer.driverName.c_str()), W(printer.printerName.c_str()), nullptr, nullptr);
    }

    void DeletePrinterDC(HDC dc) override {
        if (dc) DeleteDC(dc);
    }

    int32_t StartDoc(HDC dc, const char16_t *documentName) override {
        DOCINFOW job{};
        job.cbSize = sizeof job;
        job.lpszDocName = W(documentName);
        return StartDocW(dc, &job);
    }

    int32_t StartPage(HDC dc) override { return ::StartPage(dc); }
    int32_t EndPage(HDC dc) override { return ::EndPage(dc); }
    int32_t EndDoc(HDC dc) override { return ::EndDoc(dc); }

    tStatus ReadPage(HDC dc, sPageMetrics &page) override {
        if (!dc) return RC_FAIL;
        page.resolution = static_cast<uint32_t>(GetDeviceCaps(dc, LOGPIXELSX));
        page.offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
        page.offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
        page.width = GetDeviceCaps(dc, HORZRES);
        page.height = GetDeviceCaps(dc, VERTRES);
        return RC_OK;
    }

    tStatus SelectPageClip(HDC dc, int32_t right, int32_t bottom) override {
        HRGN region = CreateRectRgn(0, 0, right, bottom);
        if (!region) return RC_FAIL;
        // The context keeps its own copy of a selected region.
        int selected = SelectClipRgn(dc, region);
        DeleteObject(region);
        return selected == ERROR ? RC_FAIL : RC_OK;
    }
};

}  // namespace

cPrintSpooler &SystemPrintSpooler() {
    static cWindowsSpooler spooler;
    return spooler;
}
