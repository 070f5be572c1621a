#include "benchLibxml2.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace bench {

void libxml2_prepare()
{
    xmlInitParser();
}

void* libxml2_load(const std::string& bytes)
{
    return xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, XML_PARSE_NONET);
}

void libxml2_free(void* document)
{
    xmlFreeDoc(static_cast<xmlDocPtr>(document));
}

size_t libxml2_save_size(void* document)
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(static_cast<xmlDocPtr>(document), &text, &size);
    xmlFree(text);
    return static_cast<size_t>(size);
}

void libxml2_allocate_with(void* (*allocate)(size_t), void (*release)(void*), void* (*resize)(void*, size_t),
                           char* (*duplicate)(const char*))
{
    xmlMemSetup(release, allocate, resize, duplicate);
}

} // namespace bench
