#include "boundary/qliParameterMap.h"

#include <utility>

qliParameterMap::qliParameterMap() : table_(4, 50) {}

qliParameterMap::qliParameterMap(const qliParameterMap& other) = default;

qliParameterMap& qliParameterMap::operator=(const qliParameterMap& other) = default;

qliParameterMap::~qliParameterMap() = default;

void qliParameterMap::add_parameter(apString name, apString value)
{
    if (name.is_null())
        return;
    table_[name] = std::move(value);
}

qliParameter qliParameterMap::parameter(apString name) const
{
    if (!name.is_null()) {
        if (const apStringapStringcoTableP* stored = table_.find(name))
            return qliParameter(name, stored->value);
    }
    return qliParameter(name, apString::empty_string());
}

void qliParameterMap::filter(itIterator<apString> names, coiFiller<qliParameter> filler) const
{
    while (++names)
        filler.add(parameter(names()));
}

int qliParameterMap::size() const
{
    return table_.count();
}

namespace {
// Constructed when the library is loaded, destroyed when it unloads.
qliParameterMap g_process_parameters;
} // namespace

qliParameterMap& process_parameters()
{
    return g_process_parameters;
}
