// The C runtime exports the hypotenuse as `_hypot`, a name of its own.
#include "boundary/crtMath.h"

#include <math.h>

namespace crtmath {

double hypot(double x, double y)
{
    return ::_hypot(x, y);
}

} // namespace crtmath
