// The template classes that the exported request classes hand out, emitted
// here once with every member so that code outside the library can use them.
#include "boundary/qliParameter.h"
#include "core/apString.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"
#include "core/utObserverPtr.h"
#include "xml/xmlElement.h"

template class QEL_EXPORT itIterator<apString>;
template class QEL_EXPORT itIterator<qliParameter>;
template class QEL_EXPORT coiFiller<apString>;
template class QEL_EXPORT coiFiller<qliParameter>;
template class QEL_EXPORT utObserverPtr<xmlElement>;
