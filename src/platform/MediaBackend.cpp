#include "platform/MediaBackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMedia, "zelk.platform.media", QtWarningMsg)

MediaBackend *MediaBackend::instance()
{
    static MediaBackend *backend = [] () -> MediaBackend * {
        // The installed module beside an installed app; only an app without one (run from its build folder:
        // development and tests) takes the module of its build, so that an installed app never loads code
        // from wherever it happened to be built.
        const QString installed =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + QStringLiteral(ZELK_MEDIA_MODULE_INSTALLED);
        const QString path = QFileInfo::exists(installed) ? installed : QStringLiteral(ZELK_MEDIA_MODULE_BUILT);
        if (QFileInfo::exists(path)) {
            QLibrary module(path);
            if (auto entry = reinterpret_cast<ZelkMediaEntry>(module.resolve("zelkMediaBackend")))
                return entry();
            qCWarning(lcMedia) << "cannot load" << path << module.errorString();
        }
        return nullptr;
    }();
    return backend;
}
