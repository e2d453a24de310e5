// The symbol classes of the document layer in one include: the owners with
// their storage (owner_groups.h), the document root (document_root.h), the
// blocks (block_mark.h), the lines (line_symbol.h), the character and text
// symbols (text_symbols.h) and the page breaks (page_breaks.h).
#pragma once

#include "document/block_mark.h"
#include "document/document_root.h"
#include "document/line_symbol.h"
#include "document/owner_base.h"
#include "document/owner_groups.h"
#include "document/page_breaks.h"
#include "document/text_symbols.h"
