#include "print_pagination.h"
