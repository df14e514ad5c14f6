#pragma once

// The button page's and the macro editor's face of the button functions
// (operations/buttonfunctions.h) and the macro encoding
// (operations/macroencoding.h): key names in the shown language, codes and
// their texts. No window: the pages bind to these answers and the tests
// check them with data rows.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

class MacroLogic : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
public:
    explicit MacroLogic(QObject *parent = nullptr)
        : QObject(parent)
    {}

    // ---- key names: 133 fixed usage codes, names replaceable by a language ----
    // Takes the names only when the list has one name per code.
    Q_INVOKABLE static void setKeyNames(const QStringList &names);
    Q_INVOKABLE static QString keyName(int usage);
    Q_INVOKABLE static int keyCode(const QString &name);
    Q_INVOKABLE static bool isModifier(int usage);

    // ---- macro actions, as the library stores them: "type,info" ----
    // 0 delay (ms), 1 key press, 2 key release, 3 button press, 4 button release.
    Q_INVOKABLE static QString delayLine(int milliseconds);
    // A press or release of a usage: types 3/4 from 0xF0 on, else 1/2.
    Q_INVOKABLE static QString pressLine(int usage, bool isDown);
    Q_INVOKABLE static int lineType(const QString &line);
    Q_INVOKABLE static QString lineInfo(const QString &line);
    // What the action list shows for a line: "50 ms", a key name with an
    // arrow for press or release.
    Q_INVOKABLE static QString lineText(const QString &line);

    // The macro block the mouse plays: repeat count, then timing/key pairs.
    Q_INVOKABLE static QVariantList encodeMacro(const QStringList &lines, int repeat);
    // The guard's measure: the block's size plus two spare bytes once there
    // is an action (6 for a list without actions), so that the one action a
    // passing list may still take fits with its terminator.
    Q_INVOKABLE static int encodedLength(const QStringList &lines);
    // False once the encoded length has reached the limit the block allows.
    Q_INVOKABLE static bool canAddAction(const QStringList &lines);

    // ---- button-function codes: [keyCode0, keyCode1, keyCode2, keyCode3] ----
    Q_INVOKABLE static QString codeToHex(const QVariantList &code);
    Q_INVOKABLE static QVariantList hexToCode(const QString &hex);
    Q_INVOKABLE static bool sameCode(const QVariantList &a, const QVariantList &b);
    // Keys pressed for a combination, in press order: modifiers become bits,
    // the first two other keys fill keyCode2 and keyCode3.
    Q_INVOKABLE static QVariantList groupCode(const QVariantList &usages);
    // " + "-joined key names of a combination code, as the dialog shows it.
    Q_INVOKABLE static QString groupText(const QVariantList &code);
    Q_INVOKABLE static QVariantList fireCode(int usage, int rate, int times);
    Q_INVOKABLE static QVariantList macroCode(int runMode, int button);

    // The functions the menus offer, in menu order: each a map with
    // "type" (keyCode0), "menu" (the category 0..8 whose sub-menu offers it;
    // Double Fire is type 0 but sits in the Fire menu, 1), "label" (English),
    // "textIndex" (position in the keyAssigment language group) and "hex"
    // (lowercase).
    Q_INVOKABLE static QVariantList fixedFunctions();
    // The button list's text of a code. labels: the keyAssigment language
    // group (English where it is short); macroName: the name bound to a macro.
    Q_INVOKABLE static QString codeText(const QVariantList &code, const QStringList &labels,
                                        const QString &macroName);

    // Codes of the built-in matrices (mode 0 office, 1 game): what a button
    // holds when neither the profile nor the factory profile has it.
    Q_INVOKABLE static QVariantList builtInCode(int mode, int button);
    // Buttons the mouse keeps to its own records, so the page must not offer them.
    Q_INVOKABLE static bool isFixedButton(int button);

    // What choosing `chosen` for `button` does: "warn" (the left button must
    // keep its function), "same" (nothing changes) or "apply".
    Q_INVOKABLE static QString chooseOutcome(int button, const QVariantList &current,
                                             const QVariantList &chosen);
};
