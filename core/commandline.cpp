#include "core/commandline.h"

#include <algorithm>

namespace kairo::commandline {

namespace {

bool holds(const std::vector<std::string> &args, std::initializer_list<const char *> names)
{
    return std::any_of(args.begin(), args.end(), [&](const std::string &arg) {
        return std::any_of(names.begin(), names.end(),
                           [&](const char *name) { return arg == name; });
    });
}

const char *const helpText = R"(Usage: kairo [--autostart] [--verbose]
       kairo --help | --version

Configures the ZENDRA KAIRO MOUSE K1: its buttons, DPI stages, report rate,
lift-off distance, macros, lighting and profiles. Kairo lives in the system
tray; starting it again brings its window back.

Options:
  --autostart  start in the background, as the desktop's autostart entry does
  --verbose    print the debug lines (as QT_LOGGING_RULES="kairo*.debug=true")
  --help       print this text and end
  --version    print the version and end

Qt's own options (-platform, -style, ...) work as in every Qt program.
)";

} // namespace

std::optional<Answer> infoAnswer(const std::vector<std::string> &args, const char *version)
{
    // --help wins: a person who typed both wants to know how to proceed.
    if (holds(args, {"--help", "-h", "-?"}))
        return Answer{helpText, 0};
    if (holds(args, {"--version", "-v"}))
        return Answer{std::string("kairo ") + version + "\n", 0};
    return std::nullopt;
}

bool wantsVerbose(const std::vector<std::string> &args)
{
    return holds(args, {"--verbose"});
}

} // namespace kairo::commandline
