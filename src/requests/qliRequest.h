// One request to a technology program: write the request file, run the
// program, read the answer file.
#ifndef QEL_REQUESTS_QLIREQUEST_H
#define QEL_REQUESTS_QLIREQUEST_H

#include <memory>

#include "boundary/qliParameter.h"
#include "core/apString.h"
#include "core/itIterator.h"
#include "requests/qliRequestResult.h"

class apPath;

class QEL_EXPORT qliRequest {
public:
    virtual ~qliRequest();

    // Runs the request in the exchange directory; never null.
    std::unique_ptr<qliRequestResult> make_request(apPath const& directory) const;

protected:
    qliRequest(apString const& name, apString const& request_element_name,
               apString const& executable_name);

private:
    // The parameters the request file carries, in file order.
    virtual itIterator<qliParameter> parameters() const = 0;

    int write_request(apPath const& request_file) const;
    int call_exe(apPath const& directory) const;

    apString name_;                 // "R_" + name + ".xml", "A_" + name + ".xml"
    apString request_element_name_; // root element of the request file
    apString executable_name_;      // the program, in the exchange directory
};

#endif
