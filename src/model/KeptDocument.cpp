#include "model/KeptDocument.h"

#include <QJsonDocument>
#include <QJsonValue>

using namespace Qt::StringLiterals;

namespace KeptDocument {

std::optional<QJsonValue> member(const Kind &kind, const QJsonObject &answer)
{
    const QJsonValue value = answer.value(QLatin1String(kind.member));
    if (kind.list ? !value.isArray() : !value.isObject())
        return std::nullopt;
    return value;
}

QByteArray write(const Kind &kind, const QString &account, const QJsonObject &key, const QJsonValue &member,
                 qint64 receivedAt)
{
    const QJsonObject root{{"version"_L1, kVersion},
                           {"account"_L1, account},
                           {"kind"_L1, QLatin1String(kind.name)},
                           {"key"_L1, key},
                           {"receivedAt"_L1, double(receivedAt)},
                           {"answer"_L1, QJsonObject{{QLatin1String(kind.member), member}}}};
    return QJsonDocument(root).toJson(QJsonDocument::Compact);
}

std::optional<KeptAnswer> read(const QByteArray &bytes, const Kind &kind, const QString &account,
                               const QJsonObject &key, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    if (bytes.isEmpty())
        return refuse(u"empty"_s);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (!document.isObject())
        return refuse(u"not a JSON object (%1)"_s.arg(error.errorString()));
    const QJsonObject root = document.object();
    const QJsonValue version = root.value("version"_L1);
    if (!version.isDouble() || version.toDouble() != kVersion)
        return refuse(u"version %1, not %2"_s.arg(version.toVariant().toString()).arg(kVersion));
    if (root.value("account"_L1) != QJsonValue(account))
        return refuse(u"another account's"_s);
    if (root.value("kind"_L1) != QJsonValue(QLatin1String(kind.name)) || root.value("key"_L1) != QJsonValue(key))
        return refuse(u"not the %1 asked for"_s.arg(QLatin1String(kind.name)));
    // Whole milliseconds a double holds exactly, from 1970 on.
    const double at = root.value("receivedAt"_L1).toDouble(-1);
    if (!(at >= 0 && at <= 9007199254740992.0) || at != double(qint64(at)))
        return refuse(u"no time received"_s);
    const std::optional<QJsonValue> kept = member(kind, root.value("answer"_L1).toObject());
    if (!kept)
        return refuse(u"\"%1\" missing"_s.arg(QLatin1String(kind.member)));
    return KeptAnswer{QJsonObject{{QLatin1String(kind.member), *kept}}, qint64(at)};
}

} // namespace KeptDocument
