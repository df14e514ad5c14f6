#include "core/scenerenderer.h"

#include <QDir>
#include <QLoggingCategory>
#include <QQuickWindow>
#include <QSGRendererInterface>

Q_LOGGING_CATEGORY(rendererTrace, "kairo.scene.renderer", QtInfoMsg)

namespace kairo::scenerenderer {

Facts currentFacts()
{
    Facts facts;
    facts.quickBackend = qEnvironmentVariable("QT_QUICK_BACKEND");
    facts.rhiBackend = qEnvironmentVariable("QSG_RHI_BACKEND");
    facts.alwaysSoftware = qEnvironmentVariable("LIBGL_ALWAYS_SOFTWARE");
    facts.galliumDriver = qEnvironmentVariable("GALLIUM_DRIVER");
    facts.renderNode = !QDir(QStringLiteral("/dev/dri"))
                            .entryList({QStringLiteral("renderD*")}, QDir::System)
                            .isEmpty();
    return facts;
}

bool prefersSoftware(const Facts &facts)
{
    if (!facts.quickBackend.isEmpty() || !facts.rhiBackend.isEmpty())
        return false;
    static const QStringList yes{QStringLiteral("1"), QStringLiteral("true"),
                                 QStringLiteral("yes")};
    static const QStringList processorDrivers{QStringLiteral("llvmpipe"),
                                              QStringLiteral("softpipe"), QStringLiteral("swr")};
    const bool mesaOnProcessor =
        yes.contains(facts.alwaysSoftware.trimmed().toLower())
        || processorDrivers.contains(facts.galliumDriver.trimmed().toLower());
    return mesaOnProcessor || !facts.renderNode;
}

void choose()
{
    if (!prefersSoftware(currentFacts()))
        return;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qCDebug(rendererTrace)
        << "Mesa would draw on the processor: the scene is drawn by the software renderer";
}

} // namespace kairo::scenerenderer
