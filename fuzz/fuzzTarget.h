// The one entry point every fuzz target defines: libFuzzer's when built
// with it, the corpus replay's (replay_main.cpp) otherwise.
#ifndef QEL_FUZZ_FUZZTARGET_H
#define QEL_FUZZ_FUZZTARGET_H

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// Stops the run where libFuzzer would report a crash: a broken property is
// a finding like any fault.
void fuzz_check(bool holds, const char* what);

#endif
