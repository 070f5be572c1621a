// Peak heap while a ten-megabyte document loads, and what the loaded
// document keeps, as multiples of its size: this library's (every operator
// new) and libxml2's (every allocation through its allocator hooks), each
// block counted at its usable size. One JSON object per line.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "benchDocuments.h"
#include "benchLibxml2.h"
#include "benchStreams.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"

namespace {

size_t live = 0;
size_t peak = 0;

void note(void* p)
{
    live += malloc_usable_size(p);
    if (live > peak)
        peak = live;
}

void* counted(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    note(p);
    return p;
}

void uncounted(void* p) noexcept
{
    if (p) {
        live -= malloc_usable_size(p);
        std::free(p);
    }
}

// libxml2's hooks: the C allocator's calls, counted alike.
void* c_allocate(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (p)
        note(p);
    return p;
}

void* c_resize(void* old, size_t size)
{
    const size_t before = old ? malloc_usable_size(old) : 0;
    void* p = std::realloc(old, size ? size : 1);
    if (p) {
        live -= before;
        note(p);
    }
    return p;
}

char* c_duplicate(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    char* p = static_cast<char*>(c_allocate(size));
    if (p)
        std::memcpy(p, text, size);
    return p;
}

// Runs `load` (answering what it made, or null) and reports the heap it
// took at its peak and what stays until `release`.
template <class Load, class Release>
void measure(const std::string& name, const std::string& bytes, Load load, Release release)
{
    const size_t before = live;
    peak = live;
    auto document = load(bytes);
    const size_t kept = live - before;
    const size_t top = peak - before;
    const double size = static_cast<double>(bytes.size());
    std::printf("{\"name\": \"memory/%s\", \"bytes\": %zu, \"loaded\": %d, \"peak\": %zu, \"kept\": %zu, "
                "\"peak_ratio\": %.2f, \"kept_ratio\": %.2f}\n",
                name.c_str(), bytes.size(), document ? 1 : 0, top, kept, top / size, kept / size);
    release(document);
}

xmlDocument* qel_load(const std::string& bytes)
{
    bench::memory_source source(bytes);
    std::istream in(&source);
    xmlParser parser;
    return parser.load_document(in);
}

} // namespace

void* operator new(size_t size) { return counted(size); }
void* operator new[](size_t size) { return counted(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept
{
    try {
        return counted(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { uncounted(p); }
void operator delete[](void* p) noexcept { uncounted(p); }
void operator delete(void* p, size_t) noexcept { uncounted(p); }
void operator delete[](void* p, size_t) noexcept { uncounted(p); }

int main()
{
    bench::libxml2_allocate_with(c_allocate, uncounted, c_resize, c_duplicate);
    bench::libxml2_prepare();
    const std::string general = bench::general_document(bench::ten_megabytes);
    const std::string answer = bench::answer_document(bench::answer_values);
    const struct {
        const char* name;
        const std::string& bytes;
    } documents[] = {{"general", general}, {"answer", answer}};
    for (const auto& d : documents) {
        measure(std::string(d.name) + "/qel", d.bytes, qel_load, [](xmlDocument* document) { delete document; });
        measure(std::string(d.name) + "/libxml2", d.bytes, bench::libxml2_load, bench::libxml2_free);
    }
    return 0;
}
