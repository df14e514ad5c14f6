#include "deviceoperations.h"

#ifdef KAIRO_HAVE_POINTER_SETTINGS
#include "operations/platform/pointersettings.h"
#endif

namespace {

std::shared_ptr<PointerSettings> platformPointerSettings()
{
#ifdef KAIRO_HAVE_POINTER_SETTINGS
    return PointerSettings::createForPlatform();
#else
    return nullptr;   // built without a pointer settings layer
#endif
}

} // namespace

DeviceOperations::DeviceOperations(SettingsStore &settings,
                                   std::shared_ptr<PointerSettings> pointerSettings)
    : context(settings),
      pointerLayer(pointerSettings ? std::move(pointerSettings) : platformPointerSettings()),
      pointer(pointerLayer.get())
{
}

DeviceOperations::~DeviceOperations() = default;
