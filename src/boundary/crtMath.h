// The C runtime's math functions that the exports pass through, reached
// without going through the library's own exported names.
#ifndef QEL_BOUNDARY_CRTMATH_H
#define QEL_BOUNDARY_CRTMATH_H

namespace crtmath {

// The C runtime's hypotenuse of x and y.
double hypot(double x, double y);

} // namespace crtmath

#endif
