#include "foundation/file_replacement.h"

#include "foundation/text_util.h"

namespace {
// Names tried beside the target before giving up: a crashed save may have
// left a few behind, and another instance may be saving the same file.
constexpr uint32_t kNameAttempts = 100;
}  // namespace

cFileReplacement::cFileReplacement(const char16_t *targetPath) : target(targetPath ? targetPath : u"") {}

cFileReplacement::~cFileReplacement() { Abandon(); }

bool cFileReplacement::Begin() {
    Abandon();
    inPlace = false;
    if (target.empty() || !SysCheckTarget()) return false;
    if (inPlace) {
        path = target;
        return true;
    }
    // "name.ext~N.tmp": in the target's folder, so that the move is a rename
    // on one volume, and with another extension, so that no search for the
    // target's kind of file finds it.
    for (uint32_t n = 0; n < kNameAttempts; ++n) {
        std::u16string candidate = target + u"~" + FormatUnsigned(n) + u".tmp";
        switch (SysCreateNew(candidate)) {
        case eCreated::kCreated: path = candidate; return true;
        case eCreated::kExists: continue;
        case eCreated::kFailed: return false;
        }
    }
    return false;
}

bool cFileReplacement::Commit() {
    if (path.empty()) return false;
    bool moved = inPlace || SysMoveOverTarget();
    if (moved)
        path.clear();
    else
        Abandon();
    return moved;
}

void cFileReplacement::Abandon() {
    if (path.empty()) return;
    if (!inPlace) SysRemove();
    path.clear();
}
