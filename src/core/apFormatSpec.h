// apFormatSpec: one parsed "%" directive of a format.
//
// The syntax is deliberately small: an optional "n$" position, a "0" flag
// only as the first character of a width, a width, a "." precision and one
// conversion character. Anything else (flags such as "-", length modifiers
// such as "l") lands in `conversion` and makes the directive an error.
#ifndef QEL_CORE_APFORMATSPEC_H
#define QEL_CORE_APFORMATSPEC_H

#include <cstddef>

#include "core/apString.h"

struct apFormatSpec {
    // Stands in `conversion` for a character that cannot be one: the end of
    // the format, a 0 code point or anything outside ASCII.
    static constexpr char kForeign = 1;

    char conversion = 0;   // 0: no directive filled this slot
    int width = 0;
    int zero_pad = 0;
    int has_precision = 0;
    int precision = 0;
    int positional = 0;
    int position = 0;      // counted from 1

    // Parses the directive whose "%" stands at text[start] (start < end) and
    // answers the index just past it: past the first of "sduxXfeEgG%" after
    // the "%", or `end` when there is none.
    size_t parse(const apString::codepoint* text, size_t start, size_t end);

    // Whether the conversion reads an argument.
    bool reads_argument() const noexcept;
};

#endif
