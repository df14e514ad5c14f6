#include "modules/qml/logic/scenelogic.h"

#include "device/family.h"
#include "settings/namelists.h"

#include <QColor>
#include <QStringList>
#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double designWidth = 1280;
constexpr double designHeight = 720;

// Pixel breakpoints of the pointer-speed and double-click sliders.
constexpr std::array<double, 11> compareValue{4, 37, 70, 104, 138, 172, 205, 239, 272, 305, 338};

QVariantMap knobAt(double x, int index)
{
    return {{QStringLiteral("x"), x}, {QStringLiteral("index"), index}};
}

// JavaScript's Math.round: halves go up, toward +infinity, where std::round
// takes them away from zero.
double roundHalfUp(double value)
{
    const double below = std::floor(value);
    return value - below >= 0.5 ? below + 1 : below;
}

} // namespace

double SceneLogic::knobMin(int btnH)
{
    return btnH / 4.0;
}

double SceneLogic::knobMax(double width, int btnH)
{
    return width - btnH - btnH / 4.0;
}

double SceneLogic::clampKnob(double x, double width, int btnH)
{
    return std::clamp(x, knobMin(btnH), std::max(knobMin(btnH), knobMax(width, btnH)));
}

double SceneLogic::segmentPitch(double width, int btnH, int segment)
{
    if (segment <= 0)
        return 0;
    return (width - btnH - btnH / 4.0 - btnH / 4.0) / segment;
}

double SceneLogic::segmentPosition(double width, int btnH, int segment, int index)
{
    return btnH / 4.0 + segmentPitch(width, btnH, segment) * index;
}

int SceneLogic::segmentCorrection(int segment, int index)
{
    static constexpr std::array<int, 11> ten{-3, -6, -4, -3, -2, -1, 0, 1, 3, 4, 3};
    static constexpr std::array<int, 6> other{-3, -4, -2, 0, 3, 3};
    if (segment == 10)
        return index >= 0 && index < int(ten.size()) ? ten[size_t(index)] : 0;
    return index >= 0 && index < int(other.size()) ? other[size_t(index)] : 0;
}

QVariantMap SceneLogic::clickTarget(double pointerX, double width, int btnH, int segment,
                                    bool isScale)
{
    const double target = clampKnob(pointerX - btnH / 2.0, width, btnH);
    if (!isScale)
        return knobAt(target, -1);
    int index = segment;
    for (int i = 0; i < segment; ++i) {
        if (segmentPosition(width, btnH, segment, i) >= target) {
            index = i;
            break;
        }
    }
    return knobAt(segmentPosition(width, btnH, segment, index) + segmentCorrection(segment, index),
                  index);
}

QVariantMap SceneLogic::releaseTarget(double x, double width, int btnH, int segment)
{
    int index = segment;
    for (int i = 0; i < segment; ++i) {
        if (segmentPosition(width, btnH, segment, i) + 1 >= x) {
            index = i;
            break;
        }
    }
    return knobAt(segmentPosition(width, btnH, segment, index) + segmentCorrection(segment, index),
                  index);
}

int SceneLogic::ratioToKnob(double ratio, double width, int btnH)
{
    return int((width - 18) * ratio) + btnH / 4 + 1;
}

int SceneLogic::dropDownDuration(int rows)
{
    return 180 - 10 * rows;
}

QVariantMap SceneLogic::zoomRates(double width, double height)
{
    const double x = width / designWidth;
    const double y = height / designHeight;
    return {{QStringLiteral("min"), std::min(x, y)}, {QStringLiteral("max"), std::max(x, y)}};
}

double SceneLogic::roundDecimal(double value, int precision)
{
    const double scaled = roundHalfUp(value * std::pow(10.0, precision + 1));
    return roundHalfUp(scaled / 10) / std::pow(10.0, precision);
}

namespace {
const QStringList &languageCodes()
{
    static const QStringList codes{QStringLiteral("English"),
                                   QStringLiteral("ChineseSimplified"),
                                   QStringLiteral("ChineseTraditional"),
                                   QStringLiteral("German"),
                                   QStringLiteral("French"),
                                   QStringLiteral("Italian"),
                                   QStringLiteral("Spanish")};
    return codes;
}
} // namespace

int SceneLogic::languageIndex(const QString &language)
{
    return int(languageCodes().indexOf(language));
}

QString SceneLogic::languageCode(int index)
{
    return languageCodes().value(index);
}

int SceneLogic::dpiFromKnob(double knobX, int minDPI, int maxDPI, int dpiBase, double sliderWidth)
{
    if (dpiBase <= 0 || sliderWidth <= 18)
        return minDPI;
    const double raw = (knobX - 3) * (maxDPI - minDPI) / (sliderWidth - 18) + minDPI;
    return int(std::floor(raw / dpiBase)) * dpiBase;
}

int SceneLogic::dpiStep(int value, int delta, int minDPI, int maxDPI)
{
    const int next = value + delta;
    return next < minDPI || next > maxDPI ? value : next;
}

double SceneLogic::dpiRatio(int value, int minDPI, int maxDPI)
{
    if (maxDPI <= minDPI)
        return 0;
    return double(value - minDPI) / (maxDPI - minDPI);
}

QVariantList SceneLogic::colorToBytes(const QString &color)
{
    const QColor parsed = QColor::fromString(color);
    if (!parsed.isValid())
        return {0, 0, 0};
    return {parsed.red(), parsed.green(), parsed.blue()};
}

QString SceneLogic::bytesToColor(int red, int green, int blue)
{
    auto hex = [](int v) {
        return QStringLiteral("%1").arg(std::clamp(v, 0, 255), 2, 16, QLatin1Char('0'));
    };
    return QLatin1Char('#') + hex(red) + hex(green) + hex(blue);
}

QVariantList SceneLogic::stageColorBytes(const QStringList &swatches)
{
    QVariantList bytes;
    for (int stage = 0; stage < 8; ++stage) {
        if (stage < 6)
            bytes << colorToBytes(swatches.value(stage));
        else
            bytes << 255 << 255 << 255;
    }
    return bytes;
}

QString SceneLogic::hueColor(double degrees)
{
    double hue = std::fmod(degrees, 360.0);
    if (hue < 0)
        hue += 360.0;
    const QColor color = QColor::fromHsvF(float(hue / 360.0), 1.0f, 1.0f);
    return bytesToColor(color.red(), color.green(), color.blue());
}

double SceneLogic::hueAngle(double x, double y, double cx, double cy)
{
    // Screen y grows downwards; the wheel's hues run anticlockwise from red at 3 o'clock.
    double degrees = qRadiansToDegrees(std::atan2(cy - y, x - cx));
    if (degrees < 0)
        degrees += 360.0;
    return degrees;
}

int SceneLogic::breakpointIndex(double position)
{
    for (size_t i = 0; i < compareValue.size(); ++i) {
        if (position < compareValue[i])
            return int(i);
    }
    return 0;
}

int SceneLogic::lodValue(double position)
{
    return 125 - int(std::floor((position - 3) * 35 / 322));
}

QString SceneLogic::lodText(double position)
{
    const double tenths = std::floor((position - 3) * 1.7 / 322 * 10) + 3;
    return QString::number(tenths / 10) + QStringLiteral("mm");
}

int SceneLogic::shownPointerPosition(int stored)
{
    return stored == 174 ? 163 : stored;
}

int SceneLogic::shownDoubleClickPosition(int stored)
{
    return stored == 174 ? 161 : stored;
}

QString SceneLogic::wheelLinesText(const QString &text)
{
    bool ok = false;
    const int lines = text.trimmed().toInt(&ok);
    return !ok || lines < 1 ? QStringLiteral("2") : QString::number(lines);
}

QString SceneLogic::rectInputText(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return !ok || value < 1 ? QStringLiteral("0") : QString::number(value);
}

bool SceneLogic::isSecondFamily(const QString &icType)
{
    return familyOf(icType) == Family::Second;
}

QStringList SceneLogic::storedList(const QVariant &value)
{
    return kairo::names::withoutPlaceholder(value.toStringList());
}

QStringList SceneLogic::listToStore(const QStringList &list)
{
    return kairo::names::withPlaceholder(list);
}

QString SceneLogic::periodText(int period)
{
    return QString::number(period) + QStringLiteral("MS");
}

int SceneLogic::periodFromText(const QString &text)
{
    const int digits = text.size() > 3 ? 2 : 1;
    return text.left(digits).toInt();
}
