#include "app/workbench.h"
