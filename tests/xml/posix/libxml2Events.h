// A tree read as a list of events, the common ground on which the parser
// and libxml2 are compared:
//   "E name", "A name=value" (after its element), "/E", "C comment",
//   "P target data", "T text".
// Adjacent character data (text, CDATA, resolved references) is one event,
// and character data of nothing but white space is left out. libxml2's side
// is kept apart from the library's headers, whose class names it also uses.
#ifndef QEL_TESTS_XML_LIBXML2EVENTS_H
#define QEL_TESTS_XML_LIBXML2EVENTS_H

#include <string>
#include <vector>

class xmlEvents {
public:
    void text(const std::string& piece) { pending_ += piece; }
    void add(const std::string& event)
    {
        flush();
        list_.push_back(event);
    }
    std::vector<std::string> done()
    {
        flush();
        return list_;
    }

private:
    void flush()
    {
        if (pending_.find_first_not_of(" \t\r\n") != std::string::npos)
            list_.push_back("T " + pending_);
        pending_.clear();
    }
    std::string pending_;
    std::vector<std::string> list_;
};

// libxml2's reading of a text as events; false when it cannot read the text.
bool libxml2_events(const std::string& text, std::vector<std::string>& events);

#endif
