// The outcome of one request: its code and, on success, the answer values.
#ifndef QEL_REQUESTS_QLIREQUESTRESULT_H
#define QEL_REQUESTS_QLIREQUESTRESULT_H

#include <vector>

#include "core/apString.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"
#include "requests/qliResult.h"

class QEL_EXPORT qliRequestResult {
public:
    explicit qliRequestResult(qliResult result);
    // Takes every value `values` yields, in order.
    qliRequestResult(qliResult result, itIterator<apString> values);
    ~qliRequestResult();

    qliResult result_type() const;
    // A fresh iterator over the values, before the first.
    itIterator<apString> returned_values() const;
    void returned_values(coiFiller<apString> filler) const;

private:
    qliResult result_;
    std::vector<apString> values_;
};

#endif
