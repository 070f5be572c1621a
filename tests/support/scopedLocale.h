// Switches the C runtime's character-type locale for one test and puts the
// previous one back.
#ifndef QEL_TEST_SCOPEDLOCALE_H
#define QEL_TEST_SCOPEDLOCALE_H

#include <initializer_list>
#include <string>

namespace testsupport {

class ScopedLocale {
public:
    // Takes the first of the names the C runtime accepts; active() tells
    // whether any was.
    explicit ScopedLocale(std::initializer_list<const char*> names);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

    // A UTF-8 locale under any of the names the C runtimes know it by.
    static ScopedLocale utf8() { return ScopedLocale({"C.UTF-8", "en_US.UTF-8", ".UTF8"}); }

    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_;
};

} // namespace testsupport

#endif
