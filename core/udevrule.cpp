#include "core/udevrule.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

namespace kairo::udevrule {
namespace {

const QString ruleName = QStringLiteral("60-kairo.rules");
const QString reload =
    QStringLiteral("sudo udevadm control --reload-rules && sudo udevadm trigger");

QString shellWord(const QString &path)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
    if (plain.match(path).hasMatch())
        return path;
    QString quoted = path;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString installFrom(const QString &rule)
{
    return QStringLiteral("sudo install -m 644 ") + rule + QStringLiteral(" /etc/udev/rules.d/ && ")
           + reload;
}

} // namespace

QString installCommand(const QString &programDir, const QString &modulesParent)
{
    const QString prefix = QDir::cleanPath(programDir + QStringLiteral("/../.."));
    const QStringList copies{modulesParent + QLatin1Char('/') + ruleName,
                             programDir + QLatin1Char('/') + ruleName,
                             prefix + QStringLiteral("/share/kairo/") + ruleName};
    for (const QString &copy : copies) {
        if (QFileInfo(copy).isFile())
            return installFrom(shellWord(QDir::cleanPath(copy)));
    }
    if (QFileInfo(prefix + QStringLiteral("/lib/udev/rules.d/") + ruleName).isFile())
        return reload;
    return installFrom(QStringLiteral("~/.local/share/kairo/") + ruleName);
}

} // namespace kairo::udevrule
