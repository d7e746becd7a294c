#include "platform/MediaBackend.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcMedia, "zelk.platform.media", QtWarningMsg)

MediaBackend *MediaBackend::instance()
{
    static MediaBackend *backend = [] () -> MediaBackend * {
        // The module of this build where it exists (development and tests), else the installed one.
        const QString installed =
            QCoreApplication::applicationDirPath() + QLatin1Char('/') + QStringLiteral(ZELK_MEDIA_MODULE_INSTALLED);
        for (const QString &path : {QStringLiteral(ZELK_MEDIA_MODULE_BUILT), installed}) {
            if (!QFileInfo::exists(path))
                continue;
            QLibrary module(path);
            if (auto entry = reinterpret_cast<ZelkMediaEntry>(module.resolve("zelkMediaBackend")))
                return entry();
            qCWarning(lcMedia) << "cannot load" << path << module.errorString();
        }
        return nullptr;
    }();
    return backend;
}
