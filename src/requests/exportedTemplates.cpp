// The template classes that the exported request classes hand out, emitted
// here once with every member so that code outside the library can use them.
#include "boundary/qliParameter.h"
#include "core/apString.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"
#include "core/utObserverPtr.h"
#include "xml/xmlElement.h"

template class itAbsIterator<apString>;
template class itAbsIterator<qliParameter>;
template class itAbsCloneableIterator<apString>;
template class itAbsCloneableIterator<qliParameter>;
template class itIterator<apString>;
template class itIterator<qliParameter>;
template class coiAbsFiller<apString>;
template class coiAbsFiller<qliParameter>;
template class coiFiller<apString>;
template class coiFiller<qliParameter>;
template class utObserverPtr<xmlElement>;
