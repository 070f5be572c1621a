// Switches the C runtime's character-type locale for one test and puts the
// previous one back.
#ifndef QEL_TEST_SCOPEDLOCALE_H
#define QEL_TEST_SCOPEDLOCALE_H

#include <gtest/gtest.h>

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

// A fixture whose tests run once in the classic "C" locale and once in a
// UTF-8 one (skipped where the C runtime has none); QEL_IN_EACH_LOCALE
// instantiates a suite of it.
class InEachLocale : public testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!locale_.active())
            GTEST_SKIP() << "the C runtime has no UTF-8 locale";
    }

private:
    ScopedLocale locale_ = GetParam() ? ScopedLocale::utf8() : ScopedLocale({"C"});
};

#define QEL_IN_EACH_LOCALE(Suite)                                                          \
    INSTANTIATE_TEST_SUITE_P(Locales, Suite, testing::Values(false, true),                 \
                             [](const testing::TestParamInfo<bool>& info) {                \
                                 return info.param ? "utf8" : "classic";                   \
                             })

} // namespace testsupport

#endif
