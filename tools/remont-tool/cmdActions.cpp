#include "toolCommon.h"

namespace tool {
int RunActions(const Args&) { throw ToolError("not built yet"); }
}  // namespace tool
