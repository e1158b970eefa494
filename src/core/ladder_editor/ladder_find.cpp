#include "ladder_find.h"
