// The C runtime exports the hypotenuse as `_hypot`, a name of its own. Its
// header hides the declaration in strict standard mode, so declare it here.
#include "boundary/crtMath.h"

extern "C" double __cdecl _hypot(double x, double y);

namespace crtmath {

double hypot(double x, double y)
{
    return ::_hypot(x, y);
}

} // namespace crtmath
