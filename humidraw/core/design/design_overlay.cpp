#include "design/design_overlay.h"
