// Devices that receive window messages.  Only the part the help viewer
// needs is here so far: the owner window, the id, the window style and the
// help topic, and the window handle taken from the owner when the device
// has none of its own.
#pragma once

#include <cstdint>

#include "ui/graph_dvc.h"

class cMessageDvcBase : public cGraphDvc {
public:
    cMessageDvcBase(cMessageDvcBase *owner, uint32_t id, uint32_t windowStyle, const char16_t *name,
                    uint32_t helpTopic);

    // Message devices write nothing at the pen.
    int32_t PutChar(char16_t) override { return 0; }
    // The own status bar, else the owner's.
    cDispDvcBase *GetStatusBar() override;

    virtual cMessageDvcBase *SetOwner(cMessageDvcBase *window);
    cMessageDvcBase *GetOwner() const { return owner; }
    uint32_t GetId() const { return id; }
    uint32_t GetWindowStyle() const { return windowStyle; }
    uint32_t GetHelpTopic() const { return helpTopic; }

protected:
    uint8_t enabled = 1;
    uint32_t id;
    uint32_t windowStyle;
    cMessageDvcBase *owner;
    uint32_t helpTopic;
};

class cMessageDvc : public cMessageDvcBase {
public:
    using cMessageDvcBase::cMessageDvcBase;

    // The own window, else the owner's.
    HWND GetWindowHandle() override;
};
