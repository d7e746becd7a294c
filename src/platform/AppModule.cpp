#include "platform/AppModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcModule, "zelk.platform.module", QtWarningMsg)

QFunctionPointer resolveAppModule(const QString &installed, const QString &built, const char *symbol)
{
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + installed;
    const QString path = QFileInfo::exists(beside) ? beside : built;
    if (!QFileInfo::exists(path))
        return nullptr;
    QLibrary module(path);
    if (QFunctionPointer entry = module.resolve(symbol))
        return entry;
    qCWarning(lcModule) << "cannot load" << path << module.errorString();
    return nullptr;
}
