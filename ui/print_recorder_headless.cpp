// Without a window system the recorder's context is a list of the marks put
// on it; nothing can be drawn on it.
#include "ui/print_recorder.h"

namespace {
using tMarks = std::vector<std::string>;
tMarks *Marks(tDcHandle dc) { return reinterpret_cast<tMarks *>(dc); }
}  // namespace

tDcHandle NewRecordingContext() { return reinterpret_cast<tDcHandle>(new tMarks); }

void MarkRecordingContext(tDcHandle dc, const std::string &line) {
    if (dc) Marks(dc)->push_back(line);
}

std::vector<std::string> EndRecordingContext(tDcHandle dc) {
    if (!dc) return {};
    std::vector<std::string> lines = std::move(*Marks(dc));
    delete Marks(dc);
    return lines;
}

void DeleteRecordingContext(tDcHandle dc) { delete Marks(dc); }
