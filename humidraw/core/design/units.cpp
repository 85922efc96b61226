#include "design/units.h"
