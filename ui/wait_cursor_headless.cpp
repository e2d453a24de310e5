#include "ui/wait_cursor.h"

// No pointer to show without a display.
cWaitCursor::cWaitCursor() = default;

cWaitCursor::~cWaitCursor() = default;
