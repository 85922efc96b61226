#include "design/design_text.h"
