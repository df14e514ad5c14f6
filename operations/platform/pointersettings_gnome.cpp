// GNOME and the desktops built on its settings keep the pointer speed and the
// double-click time in org.gnome.desktop.peripherals.mouse, which
// gnome-settings-daemon or mutter hand to libinput; gsettings writes them.
// They keep no wheel-lines setting.
#include "operations/platform/pointersettings_desktops.h"

#include <optional>

namespace {

const QString mouseSchema = QStringLiteral("org.gnome.desktop.peripherals.mouse");
const QString gsettings = QStringLiteral("gsettings");

PointerGap keyGap(const QString &key)
{
    if (!PointerShared::hasTool(gsettings))
        return PointerGap::NoTool;
    // Fails when the schema or the key is not installed, answers "false"
    // when an administrator has locked the key.
    QString answer;
    if (!PointerShared::runTool(gsettings, {"writable", mouseSchema, key}, &answer))
        return PointerGap::NoSetting;
    return answer.trimmed() == QLatin1String("true") ? PointerGap::NoGap : PointerGap::NoSetting;
}

class GnomePointerSettings final : public PointerSettings
{
public:
    bool setCursorSpeed(int speed) override
    {
        if (speed < 1 || speed > 20)
            return false;
        return setKey(QStringLiteral("speed"), PointerShared::unitSpeedText(speed));
    }

    bool setDoubleClickTime(int milliseconds) override
    {
        if (milliseconds <= 0)
            return false;
        PointerShared::applyDoubleClickToKairo(milliseconds);
        return setKey(QStringLiteral("double-click"), QString::number(milliseconds));
    }

    bool setWheelScrollLines(int lines) override
    {
        if (lines > 0)
            PointerShared::applyWheelLinesToKairo(lines);
        return false;
    }

    PointerSupport support() override
    {
        if (!known)
            known = PointerSupport{QStringLiteral("GNOME"), keyGap(QStringLiteral("speed")),
                                   keyGap(QStringLiteral("double-click")), PointerGap::NoSetting};
        return *known;
    }

private:
    bool setKey(const QString &key, const QString &value)
    {
        return keyGap(key) == PointerGap::NoGap
               && PointerShared::runTool(gsettings, {"set", mouseSchema, key, value});
    }

    std::optional<PointerSupport> known;
};

} // namespace

std::unique_ptr<PointerSettings> createGnomePointerSettings()
{
    return std::make_unique<GnomePointerSettings>();
}
