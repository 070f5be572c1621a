// Text conversions: apString against glibc's iconv on the same text. Both
// sides allocate their result on every run; iconv's converter is opened
// once, outside the timing.
#include <benchmark/benchmark.h>
#include <iconv.h>

#include <memory>
#include <string>

#include "benchDocuments.h"
#include "core/apString.h"
#include "core/apStringCPEncoding.h"
#include "core/utString.h"

namespace {

using benchmark::State;

const std::string& text_of(State& state)
{
    return bench::mixed_text(bench::ten_megabytes * state.range(0));
}

// The text as code points, as apString holds it and as iconv reads UTF-32.
const apString& decoded(State& state)
{
    static apString cache[5];
    apString& slot = cache[state.range(0)];
    if (slot.is_null())
        slot = apString(text_of(state).c_str());
    return slot;
}

void from_utf8_qel(State& state)
{
    const std::string& text = text_of(state);
    for (auto _ : state) {
        int error = 0;
        apString s(text.c_str(), &error);
        benchmark::DoNotOptimize(s.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void to_utf8_qel(State& state)
{
    const apString& s = decoded(state);
    for (auto _ : state) {
        apString copy(s); // a copy carries no converted forms
        benchmark::DoNotOptimize(copy.utf8_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text_of(state).size()));
}

void to_utf16_qel(State& state)
{
    const apString& s = decoded(state);
    for (auto _ : state) {
        apString copy(s);
        benchmark::DoNotOptimize(copy.utf16_str());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text_of(state).size()));
}

void to_cp1252_qel(State& state)
{
    const apString& s = decoded(state);
    const apStringCPEncoding encoding(1252);
    for (auto _ : state) {
        int error = 0;
        utString bytes = encoding.encode(s, &error);
        benchmark::DoNotOptimize(bytes.c_str());
        if (error) {
            state.SkipWithError("the text did not convert");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text_of(state).size()));
}

// One iconv conversion of `in` into a fresh buffer of `capacity` bytes.
void iconv_run(State& state, const char* to, const char* from, const char* in, size_t in_bytes,
               size_t capacity)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        state.SkipWithError("iconv cannot convert");
        return;
    }
    for (auto _ : state) {
        std::unique_ptr<char[]> out(new char[capacity]);
        char* source = const_cast<char*>(in);
        size_t left = in_bytes;
        char* target = out.get();
        size_t room = capacity;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &source, &left, &target, &room) == static_cast<size_t>(-1)) {
            state.SkipWithError("iconv failed");
            break;
        }
        benchmark::DoNotOptimize(out.get());
    }
    iconv_close(cd);
}

void from_utf8_iconv(State& state)
{
    const std::string& text = text_of(state);
    iconv_run(state, "UTF-32LE", "UTF-8", text.data(), text.size(), text.size() * 4 + 4);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void from_units_iconv(State& state, const char* to, size_t bytes_per_unit)
{
    const apString& s = decoded(state);
    iconv_run(state, to, "UTF-32LE", reinterpret_cast<const char*>(s.data()), s.length() * 4,
              s.length() * bytes_per_unit + 4);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text_of(state).size()));
}

void to_utf8_iconv(State& state) { from_units_iconv(state, "UTF-8", 4); }
void to_utf16_iconv(State& state) { from_units_iconv(state, "UTF-16LE", 4); }
void to_cp1252_iconv(State& state) { from_units_iconv(state, "CP1252", 1); }

const int registered = [] {
    using benchmark::RegisterBenchmark;
    struct entry {
        const char* name;
        void (*qel)(State&);
        void (*iconv)(State&);
    };
    const entry entries[] = {
        {"text/from_utf8", from_utf8_qel, from_utf8_iconv},
        {"text/to_utf8", to_utf8_qel, to_utf8_iconv},
        {"text/to_utf16", to_utf16_qel, to_utf16_iconv},
        {"text/to_cp1252", to_cp1252_qel, to_cp1252_iconv},
    };
    for (const entry& e : entries) {
        RegisterBenchmark((std::string(e.name) + "/qel").c_str(), e.qel)
            ->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.3)->MinTime(0.5);
        RegisterBenchmark((std::string(e.name) + "/iconv").c_str(), e.iconv)
            ->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.3)->MinTime(0.5);
    }
    return 0;
}();

} // namespace
