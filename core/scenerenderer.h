#pragma once

#include <QString>

// Which renderer draws the scene. Without a graphics card Mesa draws OpenGL
// on the processor (llvmpipe), and then every frame is drawn whole and
// copied whole to the screen: a busy frame during a command costs 20-40 ms
// and the textures are held twice. Qt Quick's software renderer repaints
// only what changed and holds each picture once, so it is the better choice
// there. Qt's own choice stands wherever a card is present or the user
// chose a renderer.
namespace kairo::scenerenderer {

struct Facts {
    QString quickBackend;    // QT_QUICK_BACKEND
    QString rhiBackend;      // QSG_RHI_BACKEND
    QString alwaysSoftware;  // LIBGL_ALWAYS_SOFTWARE
    QString galliumDriver;   // GALLIUM_DRIVER
    bool renderNode = false; // a /dev/dri/renderD* node exists
};

Facts currentFacts();
bool prefersSoftware(const Facts &facts);

// Before the first window: sets the software renderer where it is preferred.
void choose();

} // namespace kairo::scenerenderer
