// Peak heap while a ten-megabyte document loads, and what the loaded
// document keeps, as multiples of its size. Every allocation through
// operator new is counted at its usable size; one JSON object per line.
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "benchDocuments.h"
#include "benchStreams.h"
#include "xml/xmlDocument.h"
#include "xml/xmlParser.h"

namespace {

size_t live = 0;
size_t peak = 0;

void* counted(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (p == nullptr)
        throw std::bad_alloc();
    live += malloc_usable_size(p);
    if (live > peak)
        peak = live;
    return p;
}

void uncounted(void* p) noexcept
{
    if (p) {
        live -= malloc_usable_size(p);
        std::free(p);
    }
}

void measure(const char* name, const std::string& bytes)
{
    const size_t before = live;
    peak = live;
    std::unique_ptr<xmlDocument> document;
    {
        bench::memory_source source(bytes);
        std::istream in(&source);
        xmlParser parser;
        document.reset(parser.load_document(in));
    }
    const size_t kept = live - before;
    const size_t top = peak - before;
    const double size = static_cast<double>(bytes.size());
    std::printf("{\"name\": \"memory/%s\", \"bytes\": %zu, \"loaded\": %d, \"peak\": %zu, \"kept\": %zu, "
                "\"peak_ratio\": %.2f, \"kept_ratio\": %.2f}\n",
                name, bytes.size(), document ? 1 : 0, top, kept, top / size, kept / size);
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
    const std::string general = bench::general_document(bench::ten_megabytes);
    const std::string answer = bench::answer_document(bench::answer_values);
    measure("general", general);
    measure("answer", answer);
    return 0;
}
