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
// The library reads nothing but the answer file; what the program prints
// reaches at most the host's console. Without an answer the host gets
// status 5, so this program writes none when it cannot read its request or
// its table, and says why on standard error.
//
// This is the place to start from when writing a real one: replace the
// TechnologyTable by the vendor's own technology.
#include <cstdio>
#include <memory>

#include "exchangeFiles.h"
#include "files/apIFileOperations.h"
#include "files/apPath.h"
#include "programFile.h"
#include "technologyTable.h"

namespace {

using techprog::Parameters;
using techprog::TechnologyTable;
using Values = std::vector<std::string>;

// The text of the data file beside the program.
const char kTableFile[] = "sample-technology.txt";

Values answer_electrode_materials(const TechnologyTable& table, const Parameters& request)
{
    return table.electrode_materials(techprog::value(request, "PartMaterial"));
}

Values answer_surface_finishes(const TechnologyTable& table, const Parameters& request)
{
    return table.surface_finishes(techprog::value(request, "PartMaterial"),
                                  techprog::value(request, "ElectrodeMaterial"));
}

// The library writes the numbers as "%f" texts: "18.000000". A missing or
// malformed number is -1, which no table row accepts.
double number(const Parameters& request, const char* name)
{
    double value = -1;
    return techprog::parse_number(techprog::value(request, name), value) ? value : -1;
}

Values answer_undersizes(const TechnologyTable& table, const Parameters& request)
{
    // SurfaceFinish is the VDI 3400 class, MachiningDepth is in mm.
    // AttackFrontalSurface and TotalLengthOfElectrode arrive too; this
    // sample does not use them.
    return table.undersizes(techprog::value(request, "PartMaterial"),
                            techprog::value(request, "ElectrodeMaterial"),
                            number(request, "SurfaceFinish"), number(request, "MachiningDepth"));
}

struct Question {
    const char* program;       // the executable's name without ".exe"
    const char* request;       // R_<request>.xml in, A_<request>.xml out
    const char* answer_root;   // any name will do: the library does not check it
    const char* value_element; // ditto: each value sits in <Type><value_element>
    Values (*answer)(const TechnologyTable&, const Parameters&);
};

const Question kQuestions[] = {
    {"ElectrodeMaterial", "ElectrodeMat", "ElectrodeMaterials", "Material",
     answer_electrode_materials},
    {"SurfaceFinish", "SurfaceFinish", "SurfaceFinishes", "VDI3400", answer_surface_finishes},
    {"OptimumUndersize", "OptimumUndersize", "OptimumUndersizes", "UndersizePerSide",
     answer_undersizes},
};

// The question is the executable's name without directory and extension;
// Windows file names ignore case, so the match does too (ASCII only).
const Question* question_for(const apPath& program_file)
{
    std::string name = program_file.string().utf8_str();
    name = name.substr(name.rfind('/') + 1);
    name = name.substr(0, name.rfind('.'));
    for (const Question& q : kQuestions)
        if (techprog::same_name(name, q.program))
            return &q;
    return nullptr;
}

int fail(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "technology program: %s: %s\n", what, detail.c_str());
    return 1;
}

} // namespace

int main(int, char** argv)
{
    apString self = techprog::program_file(argv[0]);
    if (self.is_null())
        return fail("cannot tell where the program is", "");
    apPath program(self);
    apPath exchange(program.parent());
    const Question* question = question_for(program);
    if (!question)
        return fail("the file name asks no known question", program.string().utf8_str());

    TechnologyTable table;
    std::string error;
    const apPath table_file = exchange.join(kTableFile);
    std::unique_ptr<std::istream> data;
    if (!table_file.operations()->open_input(table_file, data).ok())
        return fail("cannot open", kTableFile);
    if (!table.load(*data, error))
        return fail(kTableFile, error);

    std::string request_name = question->request;
    Parameters request;
    apPath request_file = exchange.join(("R_" + request_name + ".xml").c_str());
    if (!techprog::read_request(request_file, request))
        return fail("cannot read the request", request_file.string().utf8_str());

    Values values = question->answer(table, request);
    apPath answer_file = exchange.join(("A_" + request_name + ".xml").c_str());
    if (!techprog::write_answer(answer_file, question->answer_root, question->value_element,
                                values))
        return fail("cannot write the answer", answer_file.string().utf8_str());
    return 0;
}
