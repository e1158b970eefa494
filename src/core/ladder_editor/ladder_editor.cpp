#include "ladder_editor.h"
