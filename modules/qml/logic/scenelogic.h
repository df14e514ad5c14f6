#pragma once

// The arithmetic of the scene: slider geometry, DPI and lift-off values,
// colour strings, zoom rates. Kept out of QML so it is compiled, tested with
// data rows and lint-clean; the pages only bind to these answers.

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class SceneLogic : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit SceneLogic(QObject *parent = nullptr)
        : QObject(parent)
    {}

    // ---- SliderButton: knob of btnH pixels on a track of width pixels ----
    // Knob range: btnH/4 .. width - btnH - btnH/4.
    Q_INVOKABLE static double knobMin(int btnH);
    Q_INVOKABLE static double knobMax(double width, int btnH);
    Q_INVOKABLE static double clampKnob(double x, double width, int btnH);
    // (width - btnH - btnH/2) / segment.
    Q_INVOKABLE static double segmentPitch(double width, int btnH, int segment);
    // btnH/4 + pitch * index.
    Q_INVOKABLE static double segmentPosition(double width, int btnH, int segment, int index);
    // Shift that lines a scaled slider's knob up with its scale.
    Q_INVOKABLE static int segmentCorrection(int segment, int index);
    // A click at pointerX: {"x": knob target, "index": segment or -1 when continuous}.
    Q_INVOKABLE static QVariantMap clickTarget(double pointerX, double width, int btnH, int segment,
                                               bool isScale);
    // Release of a dragged knob at x on a scaled slider: {"x", "index"}.
    Q_INVOKABLE static QVariantMap releaseTarget(double x, double width, int btnH, int segment);
    // setRatioValue: integer part of (width - 18) * ratio, plus btnH/4 + 1.
    Q_INVOKABLE static int ratioToKnob(double ratio, double width, int btnH);

    // ---- drop-downs ----
    Q_INVOKABLE static int dropDownDuration(int rows);

    // ---- frame ----
    // {"min": ..., "max": ...} of width/1280 and height/720.
    Q_INVOKABLE static QVariantMap zoomRates(double width, double height);
    Q_INVOKABLE static double roundDecimal(double value, int precision = 0);
    // The family that keeps device profiles, for the device table's icType.
    Q_INVOKABLE static bool isSecondFamily(const QString &icType);
    // "English" 0 ... "Spanish" 6; -1 for any other text.
    Q_INVOKABLE static int languageIndex(const QString &language);
    // The code of index (the top bar's language list); "" outside 0 to 6.
    Q_INVOKABLE static QString languageCode(int index);

    // ---- DPI page ----
    Q_INVOKABLE static int dpiFromKnob(double knobX, int minDPI, int maxDPI, int dpiBase,
                                       double sliderWidth = 435);
    // value + delta when it stays inside min..max, else value unchanged.
    Q_INVOKABLE static int dpiStep(int value, int delta, int minDPI, int maxDPI);
    Q_INVOKABLE static double dpiRatio(int value, int minDPI, int maxDPI);
    // "#rrggbb" -> [r, g, b]; anything unreadable gives [0, 0, 0].
    Q_INVOKABLE static QVariantList colorToBytes(const QString &color);
    Q_INVOKABLE static QString bytesToColor(int red, int green, int blue);
    // Six swatch colours -> 24 bytes for stages 0..7; stages 6 and 7 white.
    Q_INVOKABLE static QVariantList stageColorBytes(const QStringList &swatches);
    // Fully saturated colour of a hue angle in degrees (0 red, 120 green, 240 blue).
    Q_INVOKABLE static QString hueColor(double degrees);
    // Hue angle of the point (x, y) seen from the wheel's centre (cx, cy).
    Q_INVOKABLE static double hueAngle(double x, double y, double cx, double cy);

    // ---- system settings page ----
    // First i with position < breakpoint[i], else 0.
    Q_INVOKABLE static int breakpointIndex(double position);
    Q_INVOKABLE static int lodValue(double position);
    Q_INVOKABLE static QString lodText(double position);
    // A stored position of exactly 174 is shown at 163 (pointer) or 161 (double click).
    Q_INVOKABLE static int shownPointerPosition(int stored);
    Q_INVOKABLE static int shownDoubleClickPosition(int stored);
    // Wheel lines field after editing: empty or below 1 becomes "2".
    Q_INVOKABLE static QString wheelLinesText(const QString &text);
    // RectInput after editing: empty or below 1 becomes "0".
    Q_INVOKABLE static QString rectInputText(const QString &text);

    // ---- lists as name.bin and the profiles keep them ----
    // What a stored list value reads as: a single text is a list of one, a
    // trailing placeholder is dropped.
    Q_INVOKABLE static QStringList storedList(const QVariant &value);
    // The list to store: a list of one carries the placeholder behind it.
    Q_INVOKABLE static QStringList listToStore(const QStringList &list);

    // ---- gun editor ----
    Q_INVOKABLE static QString periodText(int period);
    Q_INVOKABLE static int periodFromText(const QString &text);
};
