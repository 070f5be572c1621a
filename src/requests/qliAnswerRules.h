// The rules a loaded answer document must keep, in one place: the request
// layer reads answers through them, and qelquery explains a refused answer
// with them, so that the two never disagree. Not exported.
#ifndef QEL_REQUESTS_QLIANSWERRULES_H
#define QEL_REQUESTS_QLIANSWERRULES_H

#include <vector>

#include "core/apString.h"

class xmlDocument;

// The first rule an answer breaks, or `kept`.
enum class qliAnswerRule {
    kept,
    no_root,              // the document has no element at all
    type_without_element, // a "Type" element holds no child element
    empty_value           // the value element of a "Type" holds no text
};

struct qliAnswerVerdict {
    qliAnswerRule rule = qliAnswerRule::kept;
    // Which "Type" element broke the rule, counting from 1; 0 for none.
    int type_number = 0;
    // The name of the empty value element (for empty_value).
    apString value_element;
};

// Checks `document` and appends the values of a kept answer, in file order,
// to `values` (values before a broken "Type" stay appended).
qliAnswerVerdict check_answer(const xmlDocument& document, std::vector<apString>& values);

#endif
