// The on-line report of the first error: a warning box owned by the main
// window and, on OK, the error-report page with the message, the file being
// worked on and the error-report file.  The main window registers it with
// the error reporter (SetReportOffer).
#pragma once

#include "foundation/error_msg.h"

void OfferOnlineReport(cErrorMsg &reporter);
