// Every picture the scene names must be in the resources, rendered at twice a
// plausible design size and at that size itself, and actually show something.
#include <QImage>
#include <QMetaProperty>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQmlExtensionPlugin>
#include <QRegularExpression>
#include <QtTest>

Q_IMPORT_QML_PLUGIN(modules_qmlPlugin)

class TestSceneArt : public QObject
{
    Q_OBJECT

    QQmlEngine engine;
    QList<QPair<QString, QString>> paths;

private slots:
    void initTestCase()
    {
        engine.addImportPath(QStringLiteral("qrc:/"));
        QQmlComponent component(&engine);
        component.setData(
            "import QtQml\nimport modules.qml\nQtObject { property var images: Images }", QUrl());
        QObject *holder = component.create();
        QVERIFY2(holder, qPrintable(component.errorString()));
        holder->setParent(&engine);
        QObject *images = holder->property("images").value<QObject *>();
        QVERIFY(images);

        const QMetaObject *meta = images->metaObject();
        for (int i = 0; i < meta->propertyCount(); ++i) {
            const QVariant value = meta->property(i).read(images);
            if (value.typeId() == QMetaType::QString
                && value.toString().startsWith(QStringLiteral("qrc:")))
                paths.append({QString::fromLatin1(meta->property(i).name()), value.toString()});
        }
        const QStringList guns = {QStringLiteral("M416"),  QStringLiteral("AKM"),
                                  QStringLiteral("M16A4"), QStringLiteral("SCAR-L"),
                                  QStringLiteral("UNP9"),  QStringLiteral("Thomson")};
        for (const QString &gun : guns) {
            QString path;
            QVERIFY(QMetaObject::invokeMethod(images, "gun", Q_RETURN_ARG(QString, path),
                                              Q_ARG(QString, gun)));
            paths.append({QStringLiteral("gun ") + gun, path});
        }
        // The frame, the control kit, the pages and the guns: far more than a handful.
        QVERIFY2(paths.size() >= 40, qPrintable(QString::number(paths.size())));
    }

    void picture_data()
    {
        QTest::addColumn<QString>("path");
        for (const auto &[name, path] : std::as_const(paths))
            QTest::newRow(qPrintable(name)) << path;
    }

    void picture()
    {
        QFETCH(QString, path);
        QVERIFY(path.startsWith(QStringLiteral("qrc:/")));
        const QImage image(path.mid(3));
        QVERIFY2(!image.isNull(), qPrintable(path));

        const QSize size = image.size();
        QVERIFY2(size.width() % 2 == 0 && size.height() % 2 == 0, qPrintable(path));
        QVERIFY2(size.width() >= 16 && size.height() >= 12, qPrintable(path));
        QVERIFY2(size.width() <= 2 * 1280 && size.height() <= 2 * 720, qPrintable(path));

        // The design-size rendering a window of the design's size reads.
        QString small = path.mid(3);
        small.replace(QRegularExpression(QStringLiteral("\\.png$")), QStringLiteral("_1x.png"));
        const QImage designSized(small);
        QVERIFY2(!designSized.isNull(), qPrintable(small));
        QCOMPARE(designSized.size() * 2, size);

        const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
        qsizetype visible = 0;
        for (int y = 0; y < argb.height(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
            for (int x = 0; x < argb.width(); ++x)
                visible += qAlpha(line[x]) > 16;
        }
        QVERIFY2(visible > 0, qPrintable(path));
    }
};

QTEST_MAIN(TestSceneArt)
#include "test_scene_art.moc"
