// Fuzz target of scores read with the program's own classes: the registry
// of the notation symbols and the staffs (as the score window builds it, on
// a window without a window system), then any bytes loaded into a score as
// a binary score file (first byte even) or as the text form (first byte
// odd).  The records of notes, rests, clefs, keys, time signatures, bar
// lines, staffs and the score are read by their own classes here, which the
// plain-symbol targets never reach.  Nothing may read outside a buffer,
// crash, hang or leak a symbol.  The seed is the score-file seed of a staff
// holding every class (written by the staff round-trip test) behind a 0
// byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "document/registry.h"
#include "foundation/ascii_file.h"
#include "staves/score_object.h"
#include "staves/score_registry.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/font_table.h"
#include "ui/view_port.h"

namespace {

// The score window the registry's pictures are made on; it never opens on
// a screen.
cViewPort &Window() {
    static cViewPort *window = [] {
        auto *w = new cViewPort(nullptr, 0x50000000, u"MusicWin");
        w->Open();
        w->Attach();
        w->PrepareDraw();
        cPObjBase::SetCurrentWindow(w);
        return w;
    }();
    return *window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const uint32_t prototypes = [] {
        fuzz::System();
        Window();
        CreateScoreRegistry();
        return gLiveSymbolCount;
    }();
    if (size == 0) return 0;
    static const std::u16string textPath = fuzz::Folder() + u"score.txt";
    cFontTable::ResetToStockFont();
    gFileVersion = 0x1000000;
    {
        // Symbols are made only through their counted allocation.
        std::unique_ptr<ScoreObject> doc(new ScoreObject);
        const char *bytes = reinterpret_cast<const char *>(data) + 1;
        if (data[0] % 2 == 0) {
            const std::u16string path = fuzz::WriteInput(u"score.pmr", std::string(bytes, size - 1));
            doc->LoadFile(path.c_str());
        } else {
            cAsciiFile reader(bytes, size - 1);
            doc->LoadText(reader, textPath.c_str());
        }
    }
    // Every symbol the load made went with the document.
    if (gLiveSymbolCount != prototypes) std::abort();
    return 0;
}
