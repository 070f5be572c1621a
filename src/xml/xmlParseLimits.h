// xmlParseLimits: what every parser at work on one document has used of the
// limits in xmlParseError.h, and the answer whether the next step stays
// within them. A document owns one; its parsers (nested ones for internal
// subsets, entity values and external entity files) ask it.
#ifndef QEL_XML_XMLPARSELIMITS_H
#define QEL_XML_XMLPARSELIMITS_H

#include "xml/xmlParseError.h"

class xmlParseLimits {
public:
    // Nesting of elements, internal subsets and entity values being
    // parsed, over all parsers.
    int depth() const { return depth_; }

    // A parse of `length` characters begins. The outermost one (at depth 0)
    // starts the expansion count and sets the budget of every nested one.
    void begin_parse(unsigned long long length);

    // One level deeper; false (and nothing changes) at the deepest level.
    bool enter();
    void leave() { --depth_; }

    // Weighs a reference to an entity whose content expands to `expanded`
    // characters and nests `nested` levels below it: NoError, or the limit
    // it breaks. On NoError *depth is the deepest level it reaches.
    xmlParseError admit_reference(unsigned long long expanded, int nested, int* depth);

    // One external entity file inside the ones being read; false when that
    // would nest too deeply.
    bool enter_file();
    void leave_file() { --file_depth_; }

private:
    int depth_ = 0;
    int file_depth_ = 0;
    unsigned long long expansion_ = 0;
    unsigned long long budget_ = 0;
};

#endif
