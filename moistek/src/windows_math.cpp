// The power function of the Windows build. MinGW-w64's own pow (its C runtime's, linked into
// the DLL) misrounds about one result in six of those the saturation pressure above 100 °C takes,
// and differs from the Linux build's C library by up to 2 ulp, where that library misrounds about
// one in a thousand; so the Windows build's results would differ from the Linux build's in their
// last digits far more often than they need to. The x87 unit's extended-precision powl, rounded
// once to double, misrounds about as rarely as the Linux build's pow, and the two never differ by
// more than 1 ulp. Defined here, this pow takes the place of the runtime's for the whole DLL.
#include <cmath>

extern "C" double pow(double x, double y) {
    return static_cast<double>(powl(x, y));
}
