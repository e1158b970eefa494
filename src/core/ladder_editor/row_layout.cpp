#include "row_layout.h"
