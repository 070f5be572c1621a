// What every request kind shares: a snapshot of the parameters that its row
// names, taken from the map at construction.
#ifndef QEL_REQUESTS_QLIREQUESTKIND_H
#define QEL_REQUESTS_QLIREQUESTKIND_H

#include <array>
#include <cstddef>
#include <vector>

#include "boundary/qliParameterMap.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"
#include "requests/qliRequest.h"

template <std::size_t N>
class QEL_EXPORT qliRequestKind : public qliRequest {
public:
    using Names = std::array<apString, N>;

    ~qliRequestKind() override = default;

protected:
    qliRequestKind(qliParameterMap const& parameters, Names const& names, apString const& name,
                   apString const& request_element_name, apString const& executable_name)
        : qliRequest(name, request_element_name, executable_name)
    {
        parameters.filter(itIterator<apString>(names), coiFillers::make_filler(list_));
    }

private:
    itIterator<qliParameter> parameters() const override { return itIterator<qliParameter>(list_); }

    std::vector<qliParameter> list_;
};

#endif
