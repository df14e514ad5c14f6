#include "operations/deviceoperations.h"

#include "operations/platform/pointersettings.h"

DeviceOperations::DeviceOperations(SettingsStore &settings,
                                   std::shared_ptr<PointerSettings> pointerSettings)
    : context(settings)
    , pointerLayer(pointerSettings ? std::move(pointerSettings)
                                   : PointerSettings::createForPlatform())
    , pointer(pointerLayer.get())
{}

DeviceOperations::~DeviceOperations() = default;
