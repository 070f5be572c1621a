// Why an answer file was refused, told with the library's own loader and
// answer rules (see libraryRules.h).
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/apEncodingDescriptor.h"
#include "core/codePageNames.h"
#include "files/apPath.h"
#include "libraryRules.h"
#include "requests/qliAnswerRules.h"
#include "xml/xmlDocument.h"
#include "xml/xmlEncodingDetection.h"
#include "xml/xmlParser.h"

namespace {

void put(char* out, size_t size, const char* format, ...)
{
    if (size == 0)
        return;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(out, size, format, arguments);
    va_end(arguments);
}

std::string file_bytes(std::ifstream& in)
{
    in.clear();
    in.seekg(0, std::ios::beg);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const char* syntax_meaning(unsigned int code)
{
    switch (code) {
    case SyntaxError: return "the text breaks the XML grammar";
    case EndTagMismatch: return "an end tag closes another element than the one that is open";
    case ChildNotAllowed: return "a node stands where it may not";
    case BadDeclaration: return "\"<!\" starts no comment, CDATA section or declaration";
    case ReadOnlyTarget: return "a node cannot be added there";
    case UnterminatedLiteral: return "the file ends inside a quoted value";
    case MissingEndTag: return "an element is not closed";
    default: return "the text cannot be read as XML";
    }
}

// The encoding named by an XML declaration on the first line; empty when
// there is none.
std::string declared_encoding(const std::string& bytes)
{
    if (bytes.compare(0, 5, "<?xml") != 0)
        return std::string();
    const std::string first = bytes.substr(0, bytes.find_first_of("\r\n"));
    const size_t at = first.find("encoding=\"");
    if (at == std::string::npos)
        return std::string();
    const size_t from = at + 10;
    return first.substr(from, first.find('"', from) - from);
}

// Where the first byte that is not UTF-8 sits: its line and byte offset.
void first_bad_utf8(const std::string& bytes, size_t* line, size_t* offset)
{
    *line = 1;
    size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        size_t extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        bool good = extra != 9 && i + extra < bytes.size();
        for (size_t k = 1; good && k <= extra; ++k)
            good = (static_cast<unsigned char>(bytes[i + k]) & 0xC0) == 0x80;
        if (!good)
            break;
        if (c == '\n')
            ++*line;
        i += extra + 1;
    }
    *offset = i;
}

void explain_undecodable(const std::string& bytes, char* reason, size_t size)
{
    apEncodingDescriptor encoding;
    int bom = 0;
    detect_xml_encoding(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &encoding, &bom);
    const std::string declared = declared_encoding(bytes);
    size_t line = 0, offset = 0;
    first_bad_utf8(bytes, &line, &offset);
    if (bom == 0 && bytes.compare(0, 5, "<?xml") == 0 && bytes.find_first_of("\r\n") == std::string::npos) {
        put(reason, size, "the answer starts with an XML declaration but holds no line break; "
                          "end the declaration's line with a line break");
    } else if (bom == 0 && bytes.compare(0, 5, "<?xml") != 0) {
        put(reason, size,
            "the answer holds bytes above 0x7F (the first at line %zu, byte %zu of the file) but no XML "
            "declaration names its encoding; write ASCII, or UTF-8 starting with "
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?> and a line break",
            line, offset + 1);
    } else if (!declared.empty() && code_page_from_name(utString(declared.c_str())) == 0 &&
               !is_name(lower_case_name(utString(declared.c_str())), "utf-8")) {
        put(reason, size,
            "the answer declares the encoding \"%s\", which is not known, so it was read as "
            "UTF-8, and it is not UTF-8 (line %zu, byte %zu of the file); declare UTF-8 or windows-1252",
            declared.c_str(), line, offset + 1);
    } else {
        // Most often text copied from a request, which is in code page 1252
        // when it is not ASCII.
        put(reason, size,
            "the answer's bytes are not valid %s (line %zu, byte %zu of the file); text copied "
            "from a request beyond ASCII is in code page 1252: convert it, or declare "
            "encoding=\"windows-1252\"",
            declared.empty() ? "UTF-8" : declared.c_str(), line, offset + 1);
    }
}

// Line `number` (counted from 1) of the decoded text, in UTF-8, cut to a
// window around `column`, with a mark under the column.
void show_line(const std::string& bytes, int number, int column, char* context, size_t size)
{
    xmlParser reader;
    std::istringstream in(bytes);
    apString text;
    apEncodingDescriptor encoding;
    if (number < 1 || !reader.read_text(in, &text, &encoding))
        return;
    size_t begin = 0;
    for (int line = 1; line < number; ++line) {
        begin = text.find_char('\n', begin);
        if (begin == static_cast<size_t>(-1) || begin >= text.length())
            return;
        ++begin;
    }
    size_t end = text.find_char('\n', begin);
    if (end == static_cast<size_t>(-1) || end > text.length())
        end = text.length();
    if (end > begin && text[end - 1] == '\r')
        --end;
    // A long line is shown around the position only.
    const size_t window = 60;
    size_t at = begin + static_cast<size_t>(column > 0 ? column - 1 : 0);
    if (at > end)
        at = end;
    const size_t from = at - begin > window ? at - window : begin;
    const size_t to = end - at > window ? at + window : end;
    const std::string shown = text.sub(text.at(from), text.at(to)).utf8_str();
    std::string mark;
    for (size_t i = from; i < at; ++i)
        mark += text[i] == '\t' ? '\t' : ' ';
    put(context, size, "  %s%s%s\n  %s^\n", from > begin ? "..." : "", shown.c_str(), to < end ? "..." : "",
        (from > begin ? "   " + mark : mark).c_str());
}

} // namespace

extern "C" int qq_explain_answer(const char* path, char* reason, size_t reason_size, char* context,
                                 size_t context_size)
{
    put(reason, reason_size, "%s", "");
    put(context, context_size, "%s", "");
    // Opened as the library opens it: by the path's narrow form, in binary.
    const apPath file{apString(path)};
    std::ifstream in(file.narrow().c_str(), std::ios::in | std::ios::binary);
    if (!in.good()) {
        put(reason, reason_size, "the answer file cannot be opened for reading");
        return 1;
    }
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(in));
    if (document) {
        std::vector<apString> values;
        const qliAnswerVerdict verdict = check_answer(*document, values);
        switch (verdict.rule) {
        case qliAnswerRule::kept:
            return 0;
        case qliAnswerRule::no_root:
            put(reason, reason_size, "the answer holds no element; an answer without values is a "
                                     "root element alone, such as <Answer/>");
            break;
        case qliAnswerRule::type_without_element:
            put(reason, reason_size,
                "Type element %d holds no child element; each value goes into an element of its "
                "own inside Type, as in <Type><Material>Copper</Material></Type>",
                verdict.type_number);
            break;
        case qliAnswerRule::empty_value:
            put(reason, reason_size,
                "the value element <%s> of Type element %d is empty; every value needs text (to "
                "answer no values, leave out the Type elements)",
                verdict.value_element.utf8_str(), verdict.type_number);
            break;
        }
        return 1;
    }
    const unsigned int code = parser.error_code();
    switch (code) {
    case EmptyInput:
        put(reason, reason_size, "the answer file is empty");
        return 1;
    case ReadError:
        put(reason, reason_size, "the answer file cannot be read");
        return 1;
    case InputTooLarge: {
        in.clear();
        in.seekg(0, std::ios::end);
        put(reason, reason_size, "the answer file holds %lld bytes; answers over %llu bytes (64 MiB) are not read",
            static_cast<long long>(in.tellg()), xml_max_input_bytes);
        return 1;
    }
    case DecodeError:
        explain_undecodable(file_bytes(in), reason, reason_size);
        return 1;
    case UnsupportedEncoding:
        put(reason, reason_size, "the answer is in 32-bit units other than big-endian UTF-32, "
                                 "which cannot be read; write ASCII or UTF-8");
        return 1;
    case NestingTooDeep:
        put(reason, reason_size, "parse error %u at line %d, column %d: elements nest deeper than %d levels",
            code, parser.error_line(), parser.error_column(), xml_max_depth);
        break;
    case ExpansionTooLarge:
        put(reason, reason_size,
            "parse error %u at line %d, column %d: entity references expand to more text than "
            "an answer may (1 MiB, or 10 times the file)",
            code, parser.error_line(), parser.error_column());
        break;
    case ExternalTooDeep:
        put(reason, reason_size, "parse error %u at line %d, column %d: external entity files read each other "
                                 "more than %d deep",
            code, parser.error_line(), parser.error_column(), xml_max_external_depth);
        break;
    default:
        put(reason, reason_size, "parse error %u at line %d, column %d: %s", code, parser.error_line(),
            parser.error_column(), syntax_meaning(code));
        break;
    }
    show_line(file_bytes(in), parser.error_line(), parser.error_column(), context, context_size);
    return 1;
}
