// libxml2's reading of a text as events (xmlEvents.h). Kept apart from the
// library's headers, whose class names libxml2 also uses.
#ifndef QEL_TESTS_XML_LIBXML2EVENTS_H
#define QEL_TESTS_XML_LIBXML2EVENTS_H

#include <string>
#include <vector>

// False when libxml2 cannot read the text.
bool libxml2_events(const std::string& text, std::vector<std::string>& events);

#endif
