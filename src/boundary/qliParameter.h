// One named parameter value of a request.
#ifndef QEL_BOUNDARY_QLIPARAMETER_H
#define QEL_BOUNDARY_QLIPARAMETER_H

#include "core/apString.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"
#include "core/utObserverPtr.h"

class xmlDocument;
class xmlElement;

class QEL_EXPORT qliParameter {
public:
    qliParameter(apString const& name, apString const& value);
    qliParameter(const qliParameter& other);
    qliParameter& operator=(const qliParameter& other);
    ~qliParameter();

    apString name() const { return name_; }
    apString value() const;

    // The parameter as a new, detached element of `document`, named after the
    // parameter; a null value leaves it without children, any other value
    // (the empty one too) gives it one text child.
    utObserverPtr<xmlElement> element(xmlDocument& document) const;

private:
    apString name_;
    apString value_; // null (no text) and empty are written differently
};

// The instances over qliParameter and xmlElement that the library exports
// (see qel_platform.h).
QEL_EXPORTED_INSTANCE(itAbsIterator<qliParameter>);
QEL_EXPORTED_INSTANCE(itAbsCloneableIterator<qliParameter>);
QEL_EXPORTED_INSTANCE(itIterator<qliParameter>);
QEL_EXPORTED_INSTANCE(coiAbsFiller<qliParameter>);
QEL_EXPORTED_INSTANCE(coiFiller<qliParameter>);
QEL_EXPORTED_INSTANCE(utObserverPtr<xmlElement>);

#endif
