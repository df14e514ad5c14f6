#include "core/quitguard.h"

#include "core/myqquickview.h"
#include "core/warningqueue.h"

#include <QMessageBox>
#include <QPushButton>
#include <QQuickItem>

#include <memory>

namespace kairo::quit {

namespace {

QString textAt(const QStringList &group, int index, const char *english)
{
    const QString text = group.value(index).trimmed();
    return text.isEmpty() ? QString::fromUtf8(english) : text;
}

enum class Answer { Save, Discard, Cancel };

Answer ask(QWidget *parent, const QuestionTexts &texts)
{
    std::unique_ptr<QMessageBox> box(makeQuestion(parent, texts));
    box->exec();
    const auto clicked = box->standardButton(box->clickedButton());
    if (clicked == QMessageBox::Save)
        return Answer::Save;
    return clicked == QMessageBox::Discard ? Answer::Discard : Answer::Cancel;
}

// Saves what the scene holds; false when a save failed and said so.
bool saveScene(myQQuickView *view)
{
    view->invokeScene("saveAllData", Qt::DirectConnection);
    auto *warnings = view->findChild<WarningQueue *>(QString(), Qt::FindDirectChildrenOnly);
    return !(warnings && warnings->showPending());
}

} // namespace

QuestionTexts questionTexts(const QStringList &dialogsGroup)
{
    return {
        textAt(dialogsGroup, 0, "Unsaved changes"),
        textAt(dialogsGroup, 1, "Some settings have not been saved. Save them before Kairo quits?"),
        textAt(dialogsGroup, 2, "Save"), textAt(dialogsGroup, 3, "Discard"),
        textAt(dialogsGroup, 4, "Cancel")};
}

QMessageBox *makeQuestion(QWidget *parent, const QuestionTexts &texts)
{
    auto *box =
        new QMessageBox(QMessageBox::Question, texts.title, texts.question,
                        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box->setObjectName(QStringLiteral("quitQuestion"));
    box->button(QMessageBox::Save)->setText(texts.save);
    box->button(QMessageBox::Discard)->setText(texts.discard);
    box->button(QMessageBox::Cancel)->setText(texts.cancel);
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

bool readyToQuit(myQQuickView *view, QWidget *parent)
{
    const QQuickItem *scene = view->rootObject();
    if (!scene || !scene->property("anyUnsaved").toBool())
        return true;
    // The tray's menu stays usable while the question is up.
    static bool asking = false;
    if (asking)
        return false;
    asking = true;
    const QString language = view->getGlobalData(QStringLiteral("common/language")).toString();
    const Answer answer =
        ask(parent, questionTexts(view->getLangStrings(QStringLiteral("dialogs"), language)));
    asking = false;
    if (answer == Answer::Cancel)
        return false;
    return answer == Answer::Discard || saveScene(view);
}

} // namespace kairo::quit
