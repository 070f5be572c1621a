#include "xml/xmlEncodingDetection.h"

#include "core/codePage.h"
#include "core/codePageNames.h"
#include "core/utString.h"

namespace {

const unsigned int kUtf8 = apEncodingDescriptor::kind_utf8;
const unsigned int kUtf16 = apEncodingDescriptor::kind_utf16;
const unsigned int kUtf16Le = apEncodingDescriptor::kind_utf16le;
const unsigned int kUtf32 = apEncodingDescriptor::kind_utf32;
const unsigned int kUtf32Le = apEncodingDescriptor::kind_utf32le;

// How "<" (or "<?") looks in each unit form, where its byte stands in a unit,
// and the width of a unit.
struct LeadingForm {
    unsigned char bytes[4];
    unsigned int kind;
    size_t start;
    size_t step;
};

const LeadingForm kLeadingForms[] = {
    {{0x00, 0x00, 0x00, 0x3C}, kUtf32, 3, 4},
    {{0x3C, 0x00, 0x00, 0x00}, kUtf32Le, 0, 4},
    {{0x00, 0x3C, 0x00, 0x00}, xml_kind_ucs4_2143, 1, 4},
    {{0x00, 0x00, 0x3C, 0x00}, xml_kind_ucs4_3412, 2, 4},
    {{0x00, 0x3C, 0x00, 0x3F}, kUtf16, 1, 2},
    {{0x3C, 0x00, 0x3F, 0x00}, kUtf16Le, 0, 2},
    {{0x3C, 0x3F, 0x78, 0x6D}, kUtf8, 0, 1},
};

const unsigned char kEbcdicStart[4] = {0x4C, 0x6F, 0xA7, 0x94};

bool starts_with(const unsigned char* head, const unsigned char* form)
{
    for (int i = 0; i < 4; ++i)
        if (head[i] != form[i])
            return false;
    return true;
}

} // namespace

void detect_xml_encoding(const unsigned char* bytes, size_t count, apEncodingDescriptor* encoding,
                         int* bom_length)
{
    *encoding = apEncodingDescriptor();
    *bom_length = 0;

    // Bytes past the end read as 0.
    unsigned char head[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < 4 && i < count; ++i)
        head[i] = bytes[i];

    if (head[0] == 0xFE && head[1] == 0xFF) {
        *encoding = apEncodingDescriptor::from_kind(kUtf16);
        *bom_length = 2;
        return;
    }
    if (head[0] == 0xFF && head[1] == 0xFE && head[2] != 0) {
        *encoding = apEncodingDescriptor::from_kind(kUtf16Le);
        *bom_length = 2;
        return;
    }
    if (head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
        *encoding = apEncodingDescriptor::from_kind(kUtf8);
        *bom_length = 3;
        return;
    }

    const LeadingForm* form = nullptr;
    for (const LeadingForm& f : kLeadingForms) {
        if (starts_with(head, f.bytes)) {
            form = &f;
            break;
        }
    }
    if (form == nullptr) {
        if (starts_with(head, kEbcdicStart))
            return;
        for (size_t i = 0; i < count; ++i)
            if (bytes[i] >= 0x80)
                return;
        *encoding = apEncodingDescriptor::from_code_page(codepage::ansi_code_page());
        return;
    }

    // The first line, one byte of each unit, as 8-bit text.
    size_t i = form->start;
    size_t line_length = 0;
    bool line_break = false;
    char* line = new char[count / form->step + 2];
    while (i < count) {
        unsigned char c = bytes[i];
        if (c == '\n' || c == '\r') {
            line_break = true;
            break;
        }
        line[line_length++] = static_cast<char>(c);
        i += form->step;
    }
    line[line_length] = 0;
    // A first line that runs exactly to the last byte is no declaration.
    if (!line_break && i == count) {
        delete[] line;
        return;
    }
    utString first_line = utString::adopt(line, static_cast<int>(line_length));

    *encoding = apEncodingDescriptor::from_kind(form->kind);
    int at = first_line.find(ut_lit("encoding=\""));
    if (at < 0) {
        *encoding = apEncodingDescriptor::from_kind(kUtf8);
        return;
    }
    utString rest(first_line, at + 10);
    utString name;
    if (!rest.next_token("\"", name)) {
        *encoding = apEncodingDescriptor();
        return;
    }
    int code_page = code_page_from_name(name);
    if (code_page > 0 && form->kind == kUtf8)
        *encoding = apEncodingDescriptor::from_code_page(static_cast<unsigned int>(code_page));
}
