#pragma once
// The app's run-time modules (sound and camera, the platform keychain): Qt plugins of the app's own, opened
// on first use so that what they link is not mapped at launch. Each module's root object implements one
// backend interface, declared with Q_DECLARE_INTERFACE beside it; Qt's plugin loader checks the module's
// interface id, Qt version and build key before anything of it runs.
#include <QString>

class QObject;

// The root object of the module installed at `installed` (relative to the executable's folder) beside an
// installed app; only an app without one (run from its build folder: development and tests) takes the module
// of its build at `built`, so that an installed app never loads code from wherever it happened to be built.
// The object is moved to the application's main thread. Null, with a warning, when the module cannot be
// loaded. Safe on any thread.
QObject *loadAppModule(const QString &installed, const QString &built);

// The module's backend of interface T, or null.
template <class T> T *loadAppModuleBackend(const QString &installed, const QString &built)
{
    return qobject_cast<T *>(loadAppModule(installed, built));
}
