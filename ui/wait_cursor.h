// The wait cursor while a long step runs (loading a score, writing the text
// form, filling the player): shown by the constructor, the arrow put back by
// the destructor, so that every way out of the step restores it.
#pragma once

class cWaitCursor {
public:
    cWaitCursor();
    ~cWaitCursor();
    cWaitCursor(const cWaitCursor &) = delete;
    cWaitCursor &operator=(const cWaitCursor &) = delete;
};
