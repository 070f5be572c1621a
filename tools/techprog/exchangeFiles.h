// The two files a technology program exchanges with the library, read and
// written with the library's own XML code.
#ifndef TECHPROG_EXCHANGEFILES_H
#define TECHPROG_EXCHANGEFILES_H

#include <map>
#include <string>
#include <vector>

class apPath;

namespace techprog {

// Parameter name to value, both UTF-8.
using Parameters = std::map<std::string, std::string>;

// The value of a parameter, empty when the request does not carry it.
std::string value(const Parameters& parameters, const char* name);

// Reads R_<request>.xml: every child element of the root element is one
// parameter, its text the value. False when the file is missing or is not
// XML with a root element.
bool read_request(const apPath& file, Parameters& parameters);

// Writes A_<request>.xml: a root element named `root` holding, per value, a
// "Type" element whose one child element, named `value_element`, holds the
// value as text. ASCII is written as it is; other text as UTF-8 after an XML
// declaration that says so.
bool write_answer(const apPath& file, const char* root, const char* value_element,
                  const std::vector<std::string>& values);

} // namespace techprog

#endif
