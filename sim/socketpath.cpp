#include "sim/socketpath.h"

#include <cstdlib>
#include <unistd.h>

namespace kairo::sim {

std::string controlSocketPath()
{
    if (const char *explicitPath = std::getenv("KAIRO_VIRTUAL_MOUSE_SOCKET");
        explicitPath && *explicitPath)
        return explicitPath;
    if (const char *runtimeDir = std::getenv("XDG_RUNTIME_DIR"); runtimeDir && *runtimeDir)
        return std::string(runtimeDir) + "/kairo-virtual-mouse.sock";
    return "/tmp/kairo-virtual-mouse-" + std::to_string(getuid()) + ".sock";
}

} // namespace kairo::sim
