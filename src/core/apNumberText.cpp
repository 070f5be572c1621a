#include "core/apNumberText.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

using codepoint = apString::codepoint;

// The powers of ten as literals, so the compiler rounds each one correctly
// and both platforms scale by the very same doubles (library pow() may be
// an ulp off, differently per C runtime).
#define QEL_TEN_POWERS(p) p##0, p##1, p##2, p##3, p##4, p##5, p##6, p##7, p##8, p##9
const double kPositivePowers[309] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9,
    QEL_TEN_POWERS(1e1), QEL_TEN_POWERS(1e2), QEL_TEN_POWERS(1e3), QEL_TEN_POWERS(1e4),
    QEL_TEN_POWERS(1e5), QEL_TEN_POWERS(1e6), QEL_TEN_POWERS(1e7), QEL_TEN_POWERS(1e8),
    QEL_TEN_POWERS(1e9), QEL_TEN_POWERS(1e10), QEL_TEN_POWERS(1e11), QEL_TEN_POWERS(1e12),
    QEL_TEN_POWERS(1e13), QEL_TEN_POWERS(1e14), QEL_TEN_POWERS(1e15), QEL_TEN_POWERS(1e16),
    QEL_TEN_POWERS(1e17), QEL_TEN_POWERS(1e18), QEL_TEN_POWERS(1e19), QEL_TEN_POWERS(1e20),
    QEL_TEN_POWERS(1e21), QEL_TEN_POWERS(1e22), QEL_TEN_POWERS(1e23), QEL_TEN_POWERS(1e24),
    QEL_TEN_POWERS(1e25), QEL_TEN_POWERS(1e26), QEL_TEN_POWERS(1e27), QEL_TEN_POWERS(1e28),
    QEL_TEN_POWERS(1e29),
    1e300, 1e301, 1e302, 1e303, 1e304, 1e305, 1e306, 1e307, 1e308};
const double kNegativePowers[309] = {
    1e-0, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8, 1e-9,
    QEL_TEN_POWERS(1e-1), QEL_TEN_POWERS(1e-2), QEL_TEN_POWERS(1e-3), QEL_TEN_POWERS(1e-4),
    QEL_TEN_POWERS(1e-5), QEL_TEN_POWERS(1e-6), QEL_TEN_POWERS(1e-7), QEL_TEN_POWERS(1e-8),
    QEL_TEN_POWERS(1e-9), QEL_TEN_POWERS(1e-10), QEL_TEN_POWERS(1e-11), QEL_TEN_POWERS(1e-12),
    QEL_TEN_POWERS(1e-13), QEL_TEN_POWERS(1e-14), QEL_TEN_POWERS(1e-15), QEL_TEN_POWERS(1e-16),
    QEL_TEN_POWERS(1e-17), QEL_TEN_POWERS(1e-18), QEL_TEN_POWERS(1e-19), QEL_TEN_POWERS(1e-20),
    QEL_TEN_POWERS(1e-21), QEL_TEN_POWERS(1e-22), QEL_TEN_POWERS(1e-23), QEL_TEN_POWERS(1e-24),
    QEL_TEN_POWERS(1e-25), QEL_TEN_POWERS(1e-26), QEL_TEN_POWERS(1e-27), QEL_TEN_POWERS(1e-28),
    QEL_TEN_POWERS(1e-29),
    1e-300, 1e-301, 1e-302, 1e-303, 1e-304, 1e-305, 1e-306, 1e-307, 1e-308};
#undef QEL_TEN_POWERS

const int kMaxPower = 308;
// Exponent letter, sign and up to three digits (|E| <= 324 for a double).
const size_t kExponentRoom = 5;

// x * 10^s, split in two factors when 10^s alone would leave the range of
// a double although the product would not.
double scaled(double x, long long s)
{
    if (x == 0)
        return 0;
    if (s > kMaxPower)
        return x * apNumberText::power_of_ten(static_cast<int>(std::min<long long>(s - kMaxPower, 1000))) *
               kPositivePowers[kMaxPower];
    if (s < -kMaxPower)
        return x * kNegativePowers[kMaxPower] *
               apNumberText::power_of_ten(static_cast<int>(std::max<long long>(s + kMaxPower, -1000)));
    return x * apNumberText::power_of_ten(static_cast<int>(s));
}

// The lowest decimal digit of the rounded value m, which then drops it.
int next_digit(double& m)
{
    const double d = std::fmod(m, 10.0);
    m = (m - d) / 10.0;
    return d >= 0 && d < 10 ? static_cast<int>(d) : 0;
}

// Sign and fill for the text in block[pos, end): with zero_pad, "0"s with
// the "-" in the leftmost one; else blanks and the "-" next to the text.
// The sign takes one of the width positions. Answers the new start.
size_t place_sign_and_fill(codepoint* block, size_t pos, size_t end, bool negative, bool zero_pad,
                           int width)
{
    const size_t wanted = width > 0 ? static_cast<size_t>(width) : 0;
    const size_t length = end - pos;
    if (length >= wanted) {
        if (negative)
            block[--pos] = '-';
        return pos;
    }
    size_t fill = wanted - length;
    if (zero_pad) {
        while (fill--)
            block[--pos] = '0';
        if (negative)
            block[pos] = '-';
    } else {
        if (negative) {
            block[--pos] = '-';
            --fill;
        }
        while (fill--)
            block[--pos] = ' ';
    }
    return pos;
}

// Moves the text to the front of its block and hands the block over.
apString settle(codepoint* block, size_t pos, size_t end)
{
    const size_t length = end - pos;
    if (pos)
        std::memmove(block, block + pos, length * sizeof(codepoint));
    block[length] = 0;
    return apString::adopt(block);
}

apString non_finite(const apFormatSpec& spec, double value, bool upper)
{
    const char* word = std::isnan(value) ? (upper ? "NAN" : "nan") : (upper ? "INF" : "inf");
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    const size_t cap = std::max<size_t>(width, 4);
    codepoint* block = apString::allocate(cap);
    size_t pos = cap - 3;
    for (size_t i = 0; i < 3; ++i)
        block[pos + i] = static_cast<unsigned char>(word[i]);
    // Zeros in front of a word would read as a number: always blanks.
    pos = place_sign_and_fill(block, pos, cap, !std::isnan(value) && value < 0, false, spec.width);
    return settle(block, pos, cap);
}

} // namespace

double apNumberText::power_of_ten(int n)
{
    if (n >= 0)
        return n <= kMaxPower ? kPositivePowers[n] : HUGE_VAL;
    return n >= -kMaxPower ? kNegativePowers[-static_cast<long long>(n)] : 0.0;
}

int apNumberText::decimal_exponent(double x)
{
    int e = static_cast<int>(std::floor(std::log10(x)));
    if (e > -kMaxPower && e <= kMaxPower && x < power_of_ten(e))
        --e;
    else if (e >= -kMaxPower && e < kMaxPower && x >= power_of_ten(e + 1))
        ++e;
    return e;
}

apString apNumberText::integer(const apFormatSpec& spec, bool negative, unsigned magnitude)
{
    const bool hex = spec.conversion == 'x' || spec.conversion == 'X';
    const char* digits = spec.conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    const unsigned base = hex ? 16 : 10;
    const size_t precision = spec.has_precision && spec.precision > 0 ? static_cast<size_t>(spec.precision) : 0;
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    // At most ten digits for 32 bits, plus the sign.
    const size_t cap = std::max(width, std::max<size_t>(precision, 10) + 1);

    codepoint* block = apString::allocate(cap);
    size_t pos = cap;
    do {
        block[--pos] = static_cast<unsigned char>(digits[magnitude % base]);
        magnitude /= base;
    } while (magnitude);
    while (cap - pos < precision)
        block[--pos] = '0';
    pos = place_sign_and_fill(block, pos, cap, negative, spec.zero_pad != 0, spec.width);
    return settle(block, pos, cap);
}

apString apNumberText::floating(const apFormatSpec& spec, double value)
{
    const char conversion = spec.conversion;
    const bool upper = conversion == 'E' || conversion == 'G';
    if (std::isnan(value) || std::isinf(value))
        return non_finite(spec, value, upper);

    const bool general = conversion == 'g' || conversion == 'G';
    const bool negative = value < 0; // -0.0 prints without "-"
    const double x = std::fabs(value);

    long long precision = spec.has_precision ? spec.precision : 6;
    if (general && precision == 0)
        precision = 1;
    const int exponent = x == 0 ? 0 : decimal_exponent(x);
    const bool exponent_form =
        conversion == 'e' || conversion == 'E' || (general && (exponent < -4 || exponent >= precision));

    // Digits after and before the ".", and the power of ten that brings the
    // last wanted digit to the units place.
    long long fraction;
    long long integral;
    if (exponent_form) {
        fraction = general ? precision - 1 : precision;
        integral = 1;
    } else {
        fraction = general ? precision - exponent - 1 : precision;
        integral = exponent >= 0 ? exponent + 1 : 1;
    }
    const long long shift = exponent_form ? fraction - exponent : fraction;
    const long long digit_count = fraction + integral;

    // Round half up on the scaled value. If that overflows (a huge value
    // with many decimals), round further left and write zeros below.
    long long low_zeros = 0;
    double m = scaled(x, shift) + 0.5;
    if (!std::isfinite(m)) {
        low_zeros = std::max<long long>(0, shift + exponent - (kMaxPower - 1));
        m = scaled(x, shift - low_zeros) + 0.5;
        while (!std::isfinite(m)) {
            ++low_zeros;
            m = scaled(x, shift - low_zeros) + 0.5;
        }
    }

    // Sign, carry digit, digits, "." and the exponent; the fill must fit
    // left of the mantissa even when no exponent follows it.
    const size_t room = 2 + static_cast<size_t>(digit_count) + 1 + kExponentRoom;
    const size_t width = spec.width > 0 ? static_cast<size_t>(spec.width) : 0;
    const size_t cap = std::max(room, width + kExponentRoom);
    codepoint* block = apString::allocate(cap);

    const size_t mantissa_end = cap - kExponentRoom;
    size_t pos = mantissa_end;
    bool dropping_zeros = general;
    bool fraction_written = false;
    for (long long j = 0; j < digit_count; ++j) {
        const int digit = j < low_zeros ? 0 : next_digit(m);
        if (j < fraction) {
            if (dropping_zeros && digit == 0)
                continue;
            dropping_zeros = false;
            fraction_written = true;
        } else if (j == fraction && fraction_written) {
            block[--pos] = '.';
        }
        block[--pos] = static_cast<codepoint>('0' + digit);
    }

    int shown_exponent = exponent;
    if (m >= 1) {
        // Rounding reached the next power of ten: all digits are zeros.
        if (exponent_form) {
            block[pos] = '1';
            ++shown_exponent;
        } else {
            block[--pos] = static_cast<codepoint>('0' + next_digit(m));
        }
    }

    size_t end = mantissa_end;
    if (exponent_form) {
        block[end++] = upper ? 'E' : 'e';
        block[end++] = shown_exponent < 0 ? '-' : '+';
        unsigned magnitude = static_cast<unsigned>(shown_exponent < 0 ? -shown_exponent : shown_exponent);
        const size_t digits = magnitude >= 100 ? 3 : 2;
        for (size_t k = digits; k-- > 0;) {
            block[end + k] = static_cast<codepoint>('0' + magnitude % 10);
            magnitude /= 10;
        }
        end += digits;
    }

    pos = place_sign_and_fill(block, pos, end, negative, spec.zero_pad != 0, spec.width);
    return settle(block, pos, end);
}
