#pragma once
#include <string>

namespace kairo::sim {
// KAIRO_VIRTUAL_MOUSE_SOCKET, else $XDG_RUNTIME_DIR/kairo-virtual-mouse.sock,
// else /tmp/kairo-virtual-mouse-<uid>.sock. Shared with the CLI, which has no Qt.
std::string controlSocketPath();
} // namespace kairo::sim
