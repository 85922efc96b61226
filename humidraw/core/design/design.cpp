#include "design/design.h"
