// The name-to-value store of request parameters.
#ifndef QEL_BOUNDARY_QLIPARAMETERMAP_H
#define QEL_BOUNDARY_QLIPARAMETERMAP_H

#include "boundary/qliParameter.h"
#include "core/apString.h"
#include "core/coTable.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"

class QEL_EXPORT qliParameterMap {
public:
    qliParameterMap();
    qliParameterMap(const qliParameterMap& other);
    qliParameterMap& operator=(const qliParameterMap& other);
    ~qliParameterMap();

    // Inserts or replaces. A null name is not stored: the table cannot hold
    // an entry whose key is the null string.
    void add_parameter(apString name, apString value);
    // The stored value, or the empty (non-null) value for a name never set.
    qliParameter parameter(apString name) const;
    // One parameter per name, in the names' order, missing ones empty.
    void filter(itIterator<apString> names, coiFiller<qliParameter> filler) const;

    // Number of stored parameters.
    int size() const;

private:
    apStringapStringcoTablePcoSet table_;
};

// The one map the host writes through set_parameter_value; it lives from
// library load to unload.
qliParameterMap& process_parameters();

#endif
