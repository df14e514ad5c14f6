#include "settings/settingsdialogs.h"

SettingsDialogs::~SettingsDialogs() = default;
