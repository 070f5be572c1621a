// Requests as the library writes them, read by the kit and by the library's
// own XML reader: the kit reads every one, and each value as the XML reader
// does, up to what XML prescribes and that reader leaves out (line ends read
// as line feeds, white space that the reader drops at the start of a value).
// The first byte picks the kind; the rest is the parameter values, separated
// by zero bytes, each one a host's UTF-8 text.
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "boundary/qliParameter.h"
#include "core/itIterator.h"
#include "fuzzTarget.h"
#include "qelprogram.h"
#include "requests/qliRequestFile.h"
#include "xml/xmlDocument.h"
#include "xml/xmlElement.h"
#include "xml/xmlNodeType.h"
#include "xml/xmlParser.h"

namespace {

// Line ends as XML reads them, and no white space at the start.
std::string comparable(const std::string& value)
{
    std::string out;
    for (size_t k = 0; k < value.size(); ++k) {
        if (value[k] == '\r') {
            out += '\n';
            if (k + 1 < value.size() && value[k + 1] == '\n')
                ++k;
        } else {
            out += value[k];
        }
    }
    const size_t first = out.find_first_not_of(" \t\n");
    return first == std::string::npos ? std::string() : out.substr(first);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const char* const roots[] = {"RequestElectrodeMaterial", "RequestSurfaceFinish",
                                        "RequestOptimumUndersize"};
    if (size == 0)
        return 0;
    const qp_kind kind = static_cast<qp_kind>(data[0] % 3);
    std::vector<qliParameter> parameters;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    size_t start = 0;
    for (;;) {
        const size_t end = rest.find('\0', start);
        int failed = 0;
        const apString value(rest.substr(start, end - start).c_str(), &failed);
        if (failed)
            return 0; // the library refuses such a value before writing (status 2)
        parameters.emplace_back(apString(("P" + std::to_string(parameters.size())).c_str()), value);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    std::ostringstream written;
    qliRequestFile file{apString(roots[kind]), itIterator<qliParameter>(parameters)};
    if (!file.write(written))
        return 0; // a line too long for code page 1252: the query fails (status 4)
    const std::string bytes = written.str();

    std::istringstream in(bytes);
    xmlParser parser;
    std::unique_ptr<xmlDocument> document(parser.load_document(in));
    fuzz_check(document && document->document_element(), "the library reads its own request");

    qp_request* request = nullptr;
    qp_error error;
    const qp_status status = qp_parse_request(bytes.data(), bytes.size(), kind, &request, &error);
    if (status != QP_OK) {
        // A value may hold a reference to U+0000 ("&#00;"), which the library
        // writes as it is; the kit refuses it by name.
        fuzz_check(std::string(error.message).find("U+0000") != std::string::npos,
                   "the kit reads every request the library writes");
        return 0;
    }
    size_t k = 0;
    for (xmlNode* child = document->document_element()->first_child(); child; child = child->next_sibling()) {
        if (child->node_type() != ELEMENT_NODE)
            continue;
        fuzz_check(k < qp_parameter_count(request), "the kit reads every parameter");
        fuzz_check(child->node_name().utf8_str() == std::string(qp_parameter_name(request, k)),
                   "the kit reads the parameter names");
        fuzz_check(comparable(child->text().utf8_str()) == comparable(qp_value(request, qp_parameter_name(request, k))),
                   "the kit reads each value as the library's XML reader does");
        ++k;
    }
    fuzz_check(k == qp_parameter_count(request), "the kit reads no parameter the library did not write");
    qp_free_request(request);
    return 0;
}
