#pragma once
// The app's run-time modules (sound and camera, the platform keychain): libraries of the app's own,
// opened on first use so that what they link is not mapped at launch.
#include <QFunctionPointer>
#include <QString>

// Resolves `symbol` in the module installed at `installed` (relative to the executable's folder) beside an
// installed app; only an app without one (run from its build folder: development and tests) takes the module
// of its build at `built`, so that an installed app never loads code from wherever it happened to be built.
// Null, with a warning, when the module cannot be loaded. Safe on any thread.
QFunctionPointer resolveAppModule(const QString &installed, const QString &built, const char *symbol);
