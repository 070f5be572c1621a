// A parameter as an element of a request document.
#include "boundary/qliParameter.h"

#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"

utObserverPtr<xmlElement> qliParameter::element(xmlDocument& document) const
{
    xmlElement* element = document.create_element(name_);
    element->set_text(value_); // ignored for a null value
    return utObserverPtr<xmlElement>(element);
}
