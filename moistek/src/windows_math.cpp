// The power function of the Windows build. MinGW-w64's own pow (its C runtime's, linked into
// the DLL) misrounds about one result in seven, by up to 2 ulp, where the Linux build's C library
// is correctly rounded in all but about one case in a thousand; the saturation pressure above
// 100 °C takes five powers, so its results would differ from the Linux build's in their last
// digits far more often than they need to. The x87 unit's extended-precision powl, rounded once
// to double, is correctly rounded about as often as the Linux build's pow: every result of either
// lies within 1 ulp of the true value. Defined here, this pow takes the place of the runtime's for
// the whole DLL.
#include <cmath>

extern "C" double pow(double x, double y) {
    return static_cast<double>(powl(x, y));
}
