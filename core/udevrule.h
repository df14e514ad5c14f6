#pragma once
// The command a user runs so that Kairo may open the mouse: it installs the
// udev rule that hands the mouse's hidraw nodes to the logged-in user.

#include <QString>

namespace kairo::udevrule {

// The rule copied from where an install of this program left it: beside the
// modules/ in use or the program, or in the prefix's share/kairo/ (the
// program lives in <prefix>/lib/kairo/). When the rule already lies in the
// prefix's lib/udev/rules.d/, which udev reads, only the reload remains. With
// none found, the per-user install's ~/.local/share/kairo/ copy is named.
QString installCommand(const QString &programDir, const QString &modulesParent);

} // namespace kairo::udevrule
