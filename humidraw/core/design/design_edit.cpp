#include "design/design_edit.h"
