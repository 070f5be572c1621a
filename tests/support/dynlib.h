// Loads the built library the way a host does and finds exports by name.
#ifndef QEL_TEST_DYNLIB_H
#define QEL_TEST_DYNLIB_H

#include <string>

namespace testsupport {

class DynamicLibrary {
public:
    explicit DynamicLibrary(const std::string& file);
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    void* symbol(const char* name) const;
    template <class F>
    F function(const char* name) const { return reinterpret_cast<F>(symbol(name)); }

private:
    void* handle_;
};

// The file name of the library under test, beside the test programs' working
// directory.
std::string library_file();

} // namespace testsupport

#endif
