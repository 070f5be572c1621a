// On POSIX the library shares one symbol namespace with the C library and
// exports a function named `hypot` itself, so a call by that name could
// bind back to the export. The C library's complex absolute value is its
// hypot of the two parts (cabs(x + iy) = hypot(x, y), with the same
// handling of infinities and NaNs), and its name is not ours.
#include "boundary/crtMath.h"

#include <complex>

namespace crtmath {

double hypot(double x, double y)
{
    return std::abs(std::complex<double>(x, y));
}

} // namespace crtmath
