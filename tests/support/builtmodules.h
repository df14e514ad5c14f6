#pragma once

#include <QString>

// Copies the built modules/ tree into the folder `into`, for tests that run
// the program's code on files of their own. False if the copy failed.
bool copyBuiltModules(const QString &into);
