#include "function_chooser.h"
