// The inputs of the benchmarks, made in memory and kept for the whole run so
// that every reader sees the same bytes.
#ifndef QEL_BENCH_BENCHDOCUMENTS_H
#define QEL_BENCH_BENCHDOCUMENTS_H

#include <cstddef>
#include <string>

namespace bench {

// The size every comparison is made at.
constexpr size_t ten_megabytes = 10u * 1000u * 1000u;
// The number of answer values that makes an answer of about ten megabytes.
constexpr size_t answer_values = 100000;

// An answer as a technology program writes it: a UTF-8 declaration and one
// root with `values` "Type" elements of one value each, about 100 bytes
// apiece.
const std::string& answer_document(size_t values);

// About `bytes` bytes of UTF-8 with what real documents mix: attributes in
// both quotes, text with character and entity references, comments, CDATA
// sections, elements nested eight deep, non-ASCII letters.
const std::string& general_document(size_t bytes);

// One root element with `children` empty child elements.
const std::string& wide_document(size_t children);

// About `bytes` bytes of UTF-8 prose, mostly ASCII, whose every character
// code page 1252 can hold.
const std::string& mixed_text(size_t bytes);

} // namespace bench

#endif
