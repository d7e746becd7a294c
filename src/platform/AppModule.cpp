#include "platform/AppModule.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPluginLoader>
#include <QThread>

Q_LOGGING_CATEGORY(lcModule, "zelk.platform.module", QtWarningMsg)

QObject *loadAppModule(const QString &installed, const QString &built)
{
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + installed;
    const QString path = QFileInfo::exists(beside) ? beside : built;
    if (!QFileInfo::exists(path))
        return nullptr;
    QPluginLoader module(path);
    QObject *root = module.instance();
    if (!root) {
        qCWarning(lcModule) << "cannot load" << path << module.errorString();
        return nullptr;
    }
    // Made on the loading thread (a worker for the keychain); its jobs and answers belong to the main one.
    if (root->thread() != QCoreApplication::instance()->thread())
        root->moveToThread(QCoreApplication::instance()->thread());
    return root;
}
