#include "ui/NetworkCache.h"

#include "model/PrivateFiles.h"

#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QStandardPaths>

NetworkCache::NetworkCache(const QString &folder)
    : m_folder(folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                                      QStringLiteral("/images")
                                : folder)
{
    PrivateFiles::makeFolder(m_folder);
}

QNetworkAccessManager *NetworkCache::create(QObject *parent)
{
    // Called once per thread that loads (the engine's image reader among them); every manager uses the
    // same folder.
    auto *manager = new QNetworkAccessManager(parent);
    auto *cache = new QNetworkDiskCache(manager);
    cache->setCacheDirectory(m_folder);
    cache->setMaximumCacheSize(kMaxSize);
    manager->setCache(cache);
    return manager;
}
