#include "settingsdialogs.h"

SettingsDialogs::~SettingsDialogs() = default;
