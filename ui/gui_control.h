// Child controls of dialogs and windows.  So far only the root that the
// window chain owns, brings up and routes messages to; the control kinds and
// their bound variables build on it.
#pragma once

#include <cstdint>

#include "ui/message_dvc.h"

class cGuiControlBase : public cMessageDvc {
public:
    cGuiControlBase(cMessageDvcBase *owner, uint32_t id, uint32_t windowStyle, const char16_t *name)
        : cMessageDvc(owner, id, windowStyle, name, 0) {}

    // A control takes only the messages of its own kind; the rest go on to
    // its window's router.
    tStatus OnMessage(uint32_t, sWinMessage &) override { return MSG_NOT_HANDLED; }
};

class cGuiControl : public cGuiControlBase {
public:
    cGuiControl(cMessageDvcBase *owner, uint32_t id) : cGuiControlBase(owner, id, 0, nullptr) {}
};
