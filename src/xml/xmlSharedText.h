// The empty text that most nodes start with, built once and shared: a copy
// of an apString costs only a reference count, a new one an allocation.
#ifndef QEL_XML_XMLSHAREDTEXT_H
#define QEL_XML_XMLSHAREDTEXT_H

#include "core/apString.h"

inline const apString& xml_empty_text()
{
    static const apPermanentString text("");
    return text;
}

#endif
