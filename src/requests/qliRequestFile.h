// The request file R_<name>.xml: the request's parameters as elements of
// one root, saved as ASCII, or as code page 1252 with a declaration when a
// value needs it.
#ifndef QEL_REQUESTS_QLIREQUESTFILE_H
#define QEL_REQUESTS_QLIREQUESTFILE_H

#include <iosfwd>

#include "boundary/qliParameter.h"
#include "core/apString.h"
#include "core/itIterator.h"
#include "xml/xmlDocument.h"

class apPath;

class QEL_EXPORT qliRequestFile {
public:
    qliRequestFile(apString const& request_element_name, itIterator<qliParameter> parameters);
    ~qliRequestFile();

    bool write(std::ostream& out);
    // Truncates or creates the file (text mode: line ends as the platform's).
    bool write(apPath const& file);

private:
    xmlDocument document_;
};

#endif
