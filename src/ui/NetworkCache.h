#pragma once
// The network access of the QML engine: images (board photos, portraits) load asynchronously through a
// disk cache shared by the whole app, so a photo seen once is not fetched again while it is fresh.
#include <QQmlNetworkAccessManagerFactory>
#include <QString>

class NetworkCache : public QQmlNetworkAccessManagerFactory
{
public:
    static constexpr qint64 kMaxSize = 64 * 1024 * 1024;

    // The cache folder (owner-only): `folder`, or the app's cache location when empty.
    explicit NetworkCache(const QString &folder = QString());

    QNetworkAccessManager *create(QObject *parent) override;
    QString folder() const { return m_folder; }

private:
    QString m_folder;
};
