#pragma once

// Where start-up time goes. With KAIRO_STARTUP_TIMELINE=1 in the environment
// every mark prints one debug line
//     startup <step> <ms since exec> <ms since the previous mark>
// and costs nothing otherwise. The first mark is taken as early in main() as
// possible; the time before it (loading and relocating the libraries, static
// initialisers) shows as the first mark's distance from exec.
namespace kairo::startup {

bool timelineEnabled();
void mark(const char *step);

} // namespace kairo::startup
