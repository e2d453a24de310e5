// Without a window system the recorder's context is a token that only
// stands for "a context".
#include "ui/print_recorder.h"

namespace {
int gContextToken = 0;
}

tDcHandle NewRecordingContext() { return reinterpret_cast<tDcHandle>(&gContextToken); }
void DeleteRecordingContext(tDcHandle) {}
