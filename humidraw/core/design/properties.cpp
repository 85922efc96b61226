#include "design/properties.h"
