// QtQuickTest harness for the scene's controls and pages: the scene module is
// linked in statically and found through its compiled qmldir.
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QtQuickTest>

Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

class SceneTestSetup : public QObject
{
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine *engine) { engine->addImportPath(QStringLiteral("qrc:/")); }
};

QUICK_TEST_MAIN_WITH_SETUP(kairo_scene, SceneTestSetup)

#include "main.moc"
