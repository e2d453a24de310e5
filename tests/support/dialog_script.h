// The user's part in a dialog, set for one test: the script answers every
// dialog that opens while the scope lives (natively no dialog opens
// without one).
#pragma once

#include <utility>

#include "ui/dialog_box.h"

namespace test {

class ScriptScope {
public:
    explicit ScriptScope(cDialogBox::tScript script) : previous(cDialogBox::SetScript(std::move(script))) {}
    ~ScriptScope() { cDialogBox::SetScript(previous); }

private:
    cDialogBox::tScript previous;
};

}  // namespace test
