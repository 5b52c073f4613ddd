// The helpers live in the header; this unit makes sure it stands alone.
#include "tool_runner.h"
