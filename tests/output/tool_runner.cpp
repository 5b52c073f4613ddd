// The helpers live in the header; this unit makes sure it stands alone.
#include "tests/output/tool_runner.h"
