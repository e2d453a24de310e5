// A print system without a printer: it offers one printer, "Pelmora test
// printer" (an A4 page at 300 dots per inch), and lists each print job into
// a text file (UTF-8, one line each), so that a test of the running program
// sees what it printed:
//   doc <document name>
//   page <width> <height> <resolution>     (the page started, in dots)
//     <what the page draws, one primitive a line, indented by two blanks>
//   endpage
//   enddoc
// The drawing is listed in the page's coordinates as the window system's
// calls took them, a box's right and bottom just outside it (Windows only:
// natively nothing can be drawn on the context):
//     line <x1> <y1> <x2> <y2>
//     polyline <x> <y> <x> <y> ...
//     arc <left> <top> <right> <bottom> <x start> <y start> <x end> <y end>
//     rectangle <left> <top> <right> <bottom>
//     ellipse <left> <top> <right> <bottom>
//     pixel <x> <y>
//     fill | invert <x> <y> <width> <height>    (the brush; the inversion)
//     pattern <x> <y> <width> <height> <raster operation in hex>
//     bitmap <x> <y> <width> <height>
//     text <x> <y> <font height> <font face, "-" for the system's> <text>
// A job is written whole when its context is deleted, which the printing
// device does last.  The print setup dialog answers the test printer
// without showing.
#pragma once

#include <string>
#include <vector>

#include "ui/print_spooler.h"

class cRecordingPrintSpooler : public cPrintSpooler {
public:
    static constexpr const char16_t *kPrinterName = u"Pelmora test printer";
    static constexpr uint32_t kResolution = 300;
    static constexpr int32_t kPageWidth = 2480;   // 210 mm
    static constexpr int32_t kPageHeight = 3508;  // 297 mm

    explicit cRecordingPrintSpooler(std::u16string path) : path(std::move(path)) {}

    tStatus GetDefaultPrinter(std::u16string &name) override;
    tStatus EnumPrinters(uint32_t flags, std::vector<sPrinterInfo> &list) override;
    tStatus ShowSetupDialog(tWindowHandle owner, std::u16string &deviceName) override;
    tDcHandle CreatePrinterDC(const sPrinterInfo &printer, bool nt) override;
    tDcHandle CreatePrinterIC(const sPrinterInfo &printer) override;
    void DeletePrinterDC(tDcHandle dc) override;
    int32_t StartDoc(tDcHandle dc, const char16_t *documentName) override;
    int32_t StartPage(tDcHandle dc) override;
    int32_t EndPage(tDcHandle dc) override;
    int32_t EndDoc(tDcHandle dc) override;
    tStatus ReadPage(tDcHandle dc, sPageMetrics &page) override;
    tStatus SelectPageClip(tDcHandle dc, int32_t right, int32_t bottom) override;

private:
    std::u16string path;
};

// The contexts the recorder hands out (print_recorder_win.cpp: a metafile
// of the screen that keeps what is drawn on it; natively a list of marks).
tDcHandle NewRecordingContext();
// Puts a line of the job into the context, after what was drawn so far.
void MarkRecordingContext(tDcHandle dc, const std::string &line);
// Ends the context and answers its listing: the marks, with the drawing
// done between them in its place.
std::vector<std::string> EndRecordingContext(tDcHandle dc);
// Ends the context without a listing.
void DeleteRecordingContext(tDcHandle dc);
