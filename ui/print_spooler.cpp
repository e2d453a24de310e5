#include "ui/print_spooler.h"

namespace {
cPrintSpooler *gSpooler = nullptr;
}

cPrintSpooler &GetPrintSpooler() { return gSpooler ? *gSpooler : SystemPrintSpooler(); }

cPrintSpooler *SetPrintSpooler(cPrintSpooler *spooler) {
    cPrintSpooler *previous = gSpooler;
    gSpooler = spooler;
    return previous;
}
