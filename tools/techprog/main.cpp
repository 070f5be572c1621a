// Reference technology program: one executable that answers whichever of the
// three questions its own file name asks. Installed as ElectrodeMaterial.exe,
// SurfaceFinish.exe and OptimumUndersize.exe in the exchange directory.
//
// What a technology program must do, in order:
//   1. find the exchange directory: the directory of its own file (it gets no
//      arguments and runs in the host's current directory, not that one);
//   2. read the request file R_<request>.xml written there by the library;
//   3. write the answer file A_<request>.xml there before it ends, within
//      60 seconds of its start.
// The kit (kit/qelprogram.h) does the three steps; this program adds only its
// technology. The library reads nothing but the answer file; what the program
// prints reaches at most the host's console. Without an answer the host gets
// status 5, so this program writes none when it cannot read its request or
// its table, and says why on standard error.
//
// This is the place to start from when writing a real one: replace the
// TechnologyTable by the vendor's own technology.
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "qelprogram.h"
#include "technologyTable.h"

namespace {

using techprog::TechnologyTable;
using Values = std::vector<std::string>;

// The text of the data file beside the program.
const char kTableFile[] = "sample-technology.txt";

std::string value(const qp_request* request, const char* name)
{
    return qp_value(request, name);
}

// The library writes the numbers as "%f" texts: "18.000000". A missing or
// malformed number is -1, which no table row accepts.
double number(const qp_request* request, const char* name)
{
    double parsed = -1;
    return techprog::parse_number(value(request, name), parsed) ? parsed : -1;
}

Values answer(qp_kind kind, const TechnologyTable& table, const qp_request* request)
{
    const std::string part = value(request, "PartMaterial");
    switch (kind) {
    case QP_ELECTRODE_MATERIAL:
        return table.electrode_materials(part);
    case QP_SURFACE_FINISH:
        return table.surface_finishes(part, value(request, "ElectrodeMaterial"));
    case QP_OPTIMUM_UNDERSIZE:
        // SurfaceFinish is the VDI 3400 class, MachiningDepth is in mm.
        // AttackFrontalSurface and TotalLengthOfElectrode arrive too; this
        // sample does not use them.
        return table.undersizes(part, value(request, "ElectrodeMaterial"),
                                number(request, "SurfaceFinish"), number(request, "MachiningDepth"));
    }
    return Values();
}

// The whole data file beside the program; false when it cannot be read.
bool read_table_file(const char* directory, std::string& text)
{
    std::FILE* file = qp_open_file(directory, kTableFile, "rb");
    if (!file)
        return false;
    char block[4096];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0)
        text.append(block, n);
    const bool read = !std::ferror(file);
    std::fclose(file);
    return read;
}

int fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "technology program: %s: %s\n", what, detail.c_str());
    return 1;
}

// Frees what the kit hands out.
struct Exchange {
    char* directory = nullptr;
    qp_request* request = nullptr;
    ~Exchange()
    {
        qp_free_request(request);
        qp_free(directory);
    }
};

} // namespace

int main(int, char** argv)
{
    qp_error error;
    qp_kind kind;
    Exchange exchange;
    if (qp_program_kind(argv[0], &kind, &error) != QP_OK ||
        qp_exchange_directory(argv[0], &exchange.directory, &error) != QP_OK)
        return fail("cannot tell which question to answer", error.message);

    std::string text;
    if (!read_table_file(exchange.directory, text))
        return fail("cannot read", kTableFile);
    TechnologyTable table;
    std::string table_error;
    std::istringstream data(text);
    if (!table.load(data, table_error))
        return fail(kTableFile, table_error);

    if (qp_read_request(exchange.directory, kind, &exchange.request, &error) != QP_OK)
        return fail("cannot read the request", error.message);

    const Values values = answer(kind, table, exchange.request);
    std::vector<const char*> texts;
    for (const std::string& v : values)
        texts.push_back(v.c_str());
    if (qp_write_answer(exchange.directory, kind, texts.data(), texts.size(), &error) != QP_OK)
        return fail("cannot write the answer", error.message);
    return 0;
}
