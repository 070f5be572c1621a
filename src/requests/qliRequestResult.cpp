#include "requests/qliRequestResult.h"

qliRequestResult::qliRequestResult(qliResult result) : result_(result) {}

qliRequestResult::qliRequestResult(qliResult result, itIterator<apString> values) : result_(result)
{
    while (++values)
        values_.push_back(values());
}

qliRequestResult::~qliRequestResult() = default;

qliResult qliRequestResult::result_type() const
{
    return result_;
}

itIterator<apString> qliRequestResult::returned_values() const
{
    return itIterator<apString>(values_);
}

void qliRequestResult::returned_values(coiFiller<apString> filler) const
{
    for (const apString& value : values_)
        filler.add(value);
}
