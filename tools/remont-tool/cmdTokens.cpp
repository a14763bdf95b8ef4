#include "toolCommon.h"

namespace tool {
int RunTokens(const Args&) { throw ToolError("not built yet"); }
}  // namespace tool
