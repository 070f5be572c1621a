// Loading and saving documents: this library against libxml2 and pugixml on
// the same bytes, and this library alone at twice and four times the size.
#include <benchmark/benchmark.h>

#include <memory>
#include <pugixml.hpp>
#include <sstream>

#include "benchDocuments.h"
#include "benchLibxml2.h"
#include "benchStreams.h"
#include "requests/qliAnswerFile.h"
#include "xml/xmlDocument.h"
#include "xml/xmlDocumentWriter.h"
#include "xml/xmlParser.h"

namespace {

using benchmark::State;

const unsigned pugi_options =
    pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_declaration;

const std::string& document_of(int kind, int64_t scale)
{
    return kind == 0 ? bench::general_document(bench::ten_megabytes * scale)
                     : bench::answer_document(bench::answer_values * scale);
}

std::unique_ptr<xmlDocument> qel_load(const std::string& bytes)
{
    bench::memory_source source(bytes);
    std::istream in(&source);
    xmlParser parser;
    return std::unique_ptr<xmlDocument>(parser.load_document(in));
}

// Times `load` of the document of `kind` (which answers null on failure);
// freeing what it made is left out of the time.
template <class Load, class Free>
void time_loads(State& state, int kind, Load load, Free free)
{
    const std::string& bytes = document_of(kind, state.range(0));
    for (auto _ : state) {
        auto document = load(bytes);
        if (!document) {
            state.SkipWithError("the document did not load");
            break;
        }
        state.PauseTiming();
        free(document);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

void load_qel(State& state, int kind)
{
    time_loads(state, kind, [](const std::string& bytes) { return qel_load(bytes).release(); },
               [](xmlDocument* document) { delete document; });
}

void load_pugixml(State& state, int kind)
{
    time_loads(
        state, kind,
        [](const std::string& bytes) {
            std::unique_ptr<pugi::xml_document> document(new pugi::xml_document);
            const bool loaded = document->load_buffer(bytes.data(), bytes.size(), pugi_options, pugi::encoding_utf8);
            return loaded ? document.release() : nullptr;
        },
        [](pugi::xml_document* document) { delete document; });
}

void load_libxml2(State& state, int kind)
{
    time_loads(state, kind, bench::libxml2_load, bench::libxml2_free);
}

// DOM to the bytes of a file, each library writing through its own
// stream interface to a sink that only counts them.
void save_qel(State& state, const std::string& bytes)
{
    std::unique_ptr<xmlDocument> document = qel_load(bytes);
    int64_t written = 0;
    for (auto _ : state) {
        bench::counting_sink sink;
        std::ostream out(&sink);
        xmlDocumentWriter writer(document.get());
        if (!writer.write(out) || !out.flush()) {
            state.SkipWithError("the document was not written");
            break;
        }
        written += static_cast<int64_t>(sink.count());
    }
    state.SetBytesProcessed(written);
}

void save_qel_general(State& state)
{
    save_qel(state, bench::general_document(bench::ten_megabytes * state.range(0)));
}

void save_qel_wide(State& state)
{
    save_qel(state, bench::wide_document(bench::answer_values * state.range(0)));
}

struct counting_writer : pugi::xml_writer {
    size_t count = 0;
    void write(const void*, size_t size) override { count += size; }
};

void save_pugixml(State& state)
{
    const std::string& bytes = bench::general_document(bench::ten_megabytes);
    pugi::xml_document document;
    document.load_buffer(bytes.data(), bytes.size(), pugi_options, pugi::encoding_utf8);
    int64_t written = 0;
    for (auto _ : state) {
        counting_writer writer;
        document.save(writer, "  ", pugi::format_default, pugi::encoding_utf8);
        written += static_cast<int64_t>(writer.count);
    }
    state.SetBytesProcessed(written);
}

void save_libxml2(State& state)
{
    void* document = bench::libxml2_load(bench::general_document(bench::ten_megabytes));
    int64_t written = 0;
    for (auto _ : state)
        written += static_cast<int64_t>(bench::libxml2_save_size(document));
    bench::libxml2_free(document);
    state.SetBytesProcessed(written);
}

// The answer file's whole read: load, find the values, keep them.
void answer_qel(State& state)
{
    const std::string& bytes = bench::answer_document(bench::answer_values * state.range(0));
    for (auto _ : state) {
        bench::memory_source source(bytes);
        std::istream in(&source);
        qliAnswerFile answer(in);
        if (answer.invalid()) {
            state.SkipWithError("the answer is invalid");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

// Rounds alternate the libraries, so that each meets the same load of the
// machine; the report takes the best round of each.
const int rounds = 5;

template <class Function, class... Args>
void add(const std::string& name, std::initializer_list<int64_t> scales, Function function, Args... args)
{
    benchmark::internal::Benchmark* b = benchmark::RegisterBenchmark(name.c_str(), function, args...);
    for (int64_t scale : scales)
        b->Arg(scale);
    b->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.2)->MinTime(0.3);
}

const int registered = [] {
    bench::libxml2_prepare();
    const char* const kinds[] = {"general", "answer"};
    for (int round = 0; round < rounds; ++round) {
        for (int kind = 0; kind < 2; ++kind) {
            const std::string k = kinds[kind];
            add("load/" + k + "/qel", {1, 2, 4}, load_qel, kind);
            add("load/" + k + "/pugixml", {1}, load_pugixml, kind);
            add("load/" + k + "/libxml2", {1}, load_libxml2, kind);
        }
        add("save/general/qel", {1, 2, 4}, save_qel_general);
        add("save/general/pugixml", {1}, save_pugixml);
        add("save/general/libxml2", {1}, save_libxml2);
        add("save/wide/qel", {1, 2, 4}, save_qel_wide);
        add("answer/values/qel", {1, 2, 4}, answer_qel);
    }
    return 0;
}();

} // namespace
