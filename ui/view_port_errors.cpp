#include "ui/view_port_errors.h"

PELMORA_ERROR_TABLE(kViewPortWinErrors, u"ViewPortWin", u"No window handle", u"No Device Context", u"Invalid object",
                    u"Invalid font", u"Initialization", u"Nested open", u"Bitmap", u"LoadLibrary", u"No help file",
                    u"Can't run help");

void RaiseViewPortError(uint32_t index) { RaiseError(&kViewPortWinErrors, index); }
