#include "pointersettings.h"

PointerSettings::~PointerSettings() = default;
