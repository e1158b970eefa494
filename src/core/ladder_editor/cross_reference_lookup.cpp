#include "cross_reference_lookup.h"
