#include "copy_buffer.h"
