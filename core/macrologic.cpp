// Temporary: replaced by the real rules.
#include "macrologic.h"
void MacroLogic::setKeyNames(const QStringList &names) { }
QString MacroLogic::keyName(int usage) { return {}; }
int MacroLogic::keyCode(const QString &name) { return {}; }
bool MacroLogic::isModifier(int usage) { return {}; }
QString MacroLogic::delayLine(int milliseconds) { return {}; }
QString MacroLogic::pressLine(int usage, bool isDown) { return {}; }
int MacroLogic::lineType(const QString &line) { return {}; }
QString MacroLogic::lineInfo(const QString &line) { return {}; }
QString MacroLogic::lineText(const QString &line) { return {}; }
QVariantList MacroLogic::encodeMacro(const QStringList &lines, int repeat) { return {}; }
int MacroLogic::encodedLength(const QStringList &lines) { return {}; }
bool MacroLogic::canAddAction(const QStringList &lines) { return {}; }
QString MacroLogic::codeToHex(const QVariantList &code) { return {}; }
QVariantList MacroLogic::hexToCode(const QString &hex) { return {}; }
bool MacroLogic::sameCode(const QVariantList &a, const QVariantList &b) { return {}; }
QVariantList MacroLogic::groupCode(const QVariantList &usages) { return {}; }
QString MacroLogic::groupText(const QVariantList &code) { return {}; }
QVariantList MacroLogic::fireCode(int usage, int rate, int times) { return {}; }
QVariantList MacroLogic::macroCode(int runMode, int button) { return {}; }
QVariantList MacroLogic::fixedFunctions() { return {}; }
QString MacroLogic::codeText(const QVariantList &code, const QStringList &labels, const QString &macroName) { return {}; }
QVariantList MacroLogic::builtInCode(int mode, int button) { return {}; }
QVariantList MacroLogic::resetCode(int mode, int button) { return {}; }
QString MacroLogic::chooseOutcome(int button, const QVariantList &current, const QVariantList &chosen) { return {}; }
