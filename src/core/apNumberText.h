// apNumberText: the formatter's number conversions, written by the library
// itself so that the text never depends on the C library or the locale
// ("." is always the decimal separator).
//
// Each text is built right to left in one block sized from the width, the
// precision and the exponent, and that block becomes the apString.
#ifndef QEL_CORE_APNUMBERTEXT_H
#define QEL_CORE_APNUMBERTEXT_H

#include "core/apFormatSpec.h"
#include "core/apString.h"

class apNumberText {
public:
    // Conversions d, u, x and X of a value given as sign and magnitude.
    static apString integer(const apFormatSpec& spec, bool negative, unsigned magnitude);

    // Conversions f, e, E, g and G. Rounding is half-up on the scaled double
    // (0.125 with two decimals gives 0.13), not the exact decimal rounding
    // of printf.
    static apString floating(const apFormatSpec& spec, double value);

    // 10^n as the double nearest to it (0 or infinity out of range).
    static double power_of_ten(int n);

    // floor(log10(x)) for x > 0, checked against power_of_ten so that it
    // agrees with the scaling on every platform.
    static int decimal_exponent(double x);
};

#endif
