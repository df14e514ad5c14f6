#pragma once

#include <QString>
#include <QStringList>

class QMessageBox;
class QWidget;
class myQQuickView;

// Quitting with unsaved changes in the scene asks first: save them, discard
// them, or stay.
namespace kairo::quit {

// The question in the language in use: the language group "dialogs" holds
// the title, the question and the Save, Discard and Cancel buttons; a missing
// or empty text falls back to English.
struct QuestionTexts {
    QString title;
    QString question;
    QString save;
    QString discard;
    QString cancel;
};
QuestionTexts questionTexts(const QStringList &dialogsGroup);

// The question box, not yet shown: Save is the default, Escape cancels.
QMessageBox *makeQuestion(QWidget *parent, const QuestionTexts &texts);

// Whether the program may end now. Without unsaved changes it says yes at
// once. Otherwise it asks: Save runs the scene's saveAllData() and says yes
// unless a save failed (its warnings are shown then and the program stays);
// Discard says yes; Cancel, or asking while the question is already up, no.
bool readyToQuit(myQQuickView *view, QWidget *parent);

} // namespace kairo::quit
