// Charset names of Windows code pages, as XML declarations carry them.
#ifndef QEL_CORE_CODEPAGENAMES_H
#define QEL_CORE_CODEPAGENAMES_H

#include "core/utString.h"

// The name written for a code page; empty when it has none.
utString code_page_name(unsigned int cp);

// The code page a charset name (any letter case) stands for; 0 when the name
// is not known.
int code_page_from_name(const utString& name);

// A copy of the name lower-cased byte by byte by the C runtime.
utString lower_case_name(const utString& name);

// Whether the whole of `text` equals `name`, byte for byte.
bool is_name(const utString& text, const char* name);

#endif
