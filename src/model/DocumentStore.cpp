#include "model/DocumentStore.h"

#include "model/PrivateFiles.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QSaveFile>

Q_LOGGING_CATEGORY(lcDocuments, "zelk.model.documents", QtWarningMsg)

QString DocumentStore::path(const QString &kind) const
{
    return QDir(m_folder).filePath(kind + m_suffix);
}

std::optional<QString> DocumentStore::read(const QString &kind) const
{
    QFile file(path(kind));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return QString::fromUtf8(file.readAll());
}

bool DocumentStore::writeBytes(const QString &kind, const QByteArray &bytes) const
{
    PrivateFiles::makeFolder(m_folder);
    QSaveFile file(path(kind));
    // QSaveFile gives the new file the modes of the one it replaces: owner-only before anything is written,
    // which also tightens a document left with looser modes.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(PrivateFiles::kFileMode) ||
        file.write(bytes) < 0 || !file.commit()) {
        qCWarning(lcDocuments) << "cannot store" << kind << file.errorString();
        return false;
    }
    return true;
}

void DocumentStore::remove(const QString &kind) const { QFile::remove(path(kind)); }

void DocumentStore::setAside(const QString &kind) const
{
    const QString aside = path(kind) + QStringLiteral(".unreadable");
    QFile::remove(aside);
    QFile::rename(path(kind), aside);
}

QString DocumentStore::hashedName(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex().left(32));
}

std::optional<QJsonObject> DocumentStore::accountRoot(const QByteArray &bytes, const QString &account, int version,
                                                      const QString &what, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!document.isObject())
        return refuse(QStringLiteral("not a JSON object (%1)").arg(error.errorString()));
    const QJsonObject root = document.object();
    const QJsonValue stored = root.value(QLatin1String("version"));
    if (!stored.isDouble() || stored.toDouble() != version)
        return refuse(QStringLiteral("version %1, not %2").arg(stored.toVariant().toString()).arg(version));
    if (root.value(QLatin1String("account")) != QJsonValue(account))
        return refuse(QStringLiteral("another account's ") + what);
    return root;
}
