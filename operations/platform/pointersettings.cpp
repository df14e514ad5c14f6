#include "operations/platform/pointersettings.h"

PointerSettings::~PointerSettings() = default;
