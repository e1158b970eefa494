#include "fake_workbench.h"
