// libxml2 behind plain functions: its type names (xmlNode, xmlDoc,
// xmlElement...) collide with this library's, so no file sees both.
#ifndef QEL_BENCH_BENCHLIBXML2_H
#define QEL_BENCH_BENCHLIBXML2_H

#include <cstddef>
#include <string>

namespace bench {

void libxml2_prepare();
// A parsed document, or null.
void* libxml2_load(const std::string& bytes);
void libxml2_free(void* document);
// Serializes the document to a sink that only counts; answers the bytes
// written.
size_t libxml2_save_size(void* document);
// Makes libxml2 allocate through these (before it is first used).
void libxml2_allocate_with(void* (*allocate)(size_t), void (*release)(void*), void* (*resize)(void*, size_t),
                           char* (*duplicate)(const char*));

} // namespace bench

#endif
