#include "model/ListStore.h"

#include "model/DocumentStore.h"
#include "model/SecureStore.h"
#include "services/ServiceClient.h"
#include "services/ApiStatus.h"

#include <QJsonObject>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLists, "zelk.model.lists", QtWarningMsg)

ListStore::ListStore(DocumentStore &documents, ServiceClient &client, Operations &operations, SecureStore &secure)
    : m_documents(documents), m_client(client), m_operations(operations), m_secure(secure)
{
}

std::optional<QJsonDocument> ListStore::loadListDocument(const QString &kind, bool fetchWhenMissing,
                                                         bool refetchWhenInvalid)
{
    const std::optional<QString> stored = m_documents.read(m_client.listDocumentName(kind));
    if (stored) {
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(stored->toUtf8(), &error);
        const bool valid = !stored->isEmpty() && error.error == QJsonParseError::NoError;
        if (valid)
            return document;
        if (!refetchWhenInvalid)
            return QJsonDocument(); // an invalid document: its lists come out empty
    }
    if (!fetchWhenMissing) {
        m_client.fetchList(kind, false);
        return std::nullopt;
    }
    const std::optional<QString> answer = m_client.fetchList(kind, true);
    if (!answer || answer->isEmpty())
        return std::nullopt;
    return QJsonDocument::fromJson(answer->toUtf8());
}

template <class T>
std::optional<QList<T>> ListStore::read(Held<T> &held, const QString &kind, const QString &listKey,
                                        bool fetchWhenMissing, bool reload)
{
    const QString name = m_client.listDocumentName(kind);
    if (reload || held.document != name)
        held.list.reset();
    if (held.list)
        return held.list;
    const std::optional<QJsonDocument> document = loadListDocument(kind, fetchWhenMissing);
    if (!document)
        return std::nullopt;
    held.list = parseList<T>(document->object(), listKey);
    held.document = name;
    qCDebug(lcLists) << name << "list:" << held.list->size() << "records";
    return held.list;
}

std::optional<QList<Inco1>> ListStore::inco1List(bool fetchWhenMissing, bool reload)
{
    return read(m_inco1, QStringLiteral("inco1List"), QStringLiteral("inco1List"), fetchWhenMissing, reload);
}

std::optional<QList<Transport>> ListStore::transportList(bool fetchWhenMissing, bool reload)
{
    return read(m_transport, QStringLiteral("transportList"), QStringLiteral("transportList"), fetchWhenMissing,
                reload);
}

std::optional<QList<OrderType>> ListStore::orderTypeList(bool fetchWhenMissing, bool reload)
{
    return read(m_orderTypes, QStringLiteral("orderTypeList"), QStringLiteral("orderTypeList"), fetchWhenMissing,
                reload);
}

std::optional<QList<Tvstz>> ListStore::tvstzList(bool fetchWhenMissing, bool reload)
{
    return read(m_tvstz, QStringLiteral("getTvstzList"), QStringLiteral("list"), fetchWhenMissing, reload);
}

std::optional<QList<NoticeGroup>> ListStore::noticeGroupList(bool fetchWhenMissing, bool reload)
{
    return read(m_noticeGroup, QStringLiteral("getNoticeGroupUserList"), QStringLiteral("list"), fetchWhenMissing,
                reload);
}

std::optional<QJsonValue> ListStore::inco2List(bool fetchWhenMissing)
{
    const std::optional<QJsonDocument> document = loadListDocument(QStringLiteral("inco2List"), fetchWhenMissing);
    if (!document)
        return std::nullopt;
    return document->object().value(QStringLiteral("inco2List"));
}

void ListStore::clientList(QObject *context, std::function<void(bool, std::optional<QList<OrderCustomer>>)> done)
{
    const QJsonObject parameters{{QStringLiteral("userID"), m_secure.value(QStringLiteral("userId")).value_or(QString())}};
    m_operations.clientList(parameters, [this, guard = CallerGuard(context), done = std::move(done)](const ApiStatus &status) {
        if (!status.isSuccess || !status.returnJson) {
            if (guard.alive())
                done(false, std::nullopt);
            return;
        }
        QList<OrderCustomer> customers = parseList<OrderCustomer>(status.returnJson->object(), QStringLiteral("custList"));
        m_customers = customers;
        if (guard.alive())
            done(true, std::move(customers));
    });
}
