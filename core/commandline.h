#pragma once

// The options Kairo answers before it starts a window: --help and --version
// print and end the program; --verbose turns its debug lines on.

#include <optional>
#include <string>
#include <vector>

namespace kairo::commandline {

struct Answer {
    std::string text; // what to print on stdout
    int exitCode = 0;
};

// The answer to an option that ends the program before it starts, if args
// (without the program's name) hold one.
std::optional<Answer> infoAnswer(const std::vector<std::string> &args, const char *version);
bool wantsVerbose(const std::vector<std::string> &args);

} // namespace kairo::commandline
