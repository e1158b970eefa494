#include "element_placement.h"
