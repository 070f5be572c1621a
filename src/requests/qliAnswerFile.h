// The answer file A_<name>.xml: the text of the first child element of
// every top-level "Type" element, or invalid.
#ifndef QEL_REQUESTS_QLIANSWERFILE_H
#define QEL_REQUESTS_QLIANSWERFILE_H

#include <iosfwd>
#include <vector>

#include "core/apString.h"
#include "core/coiFiller.h"
#include "core/itIterator.h"

class QEL_EXPORT qliAnswerFile {
public:
    explicit qliAnswerFile(std::istream& in);
    ~qliAnswerFile();

    bool invalid() const;
    itIterator<apString> answer_values() const;
    void answer_values(coiFiller<apString> filler) const;

private:
    bool invalid_;
    std::vector<apString> values_;
};

#endif
