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

const QStringList &ListStore::kinds()
{
    static const QStringList all{QStringLiteral("inco1List"),     QStringLiteral("inco2List"),
                                 QStringLiteral("transportList"), QStringLiteral("orderTypeList"),
                                 QStringLiteral("getTvstzList"),  QStringLiteral("getNoticeGroupUserList")};
    return all;
}

namespace {
// The stored document as a JSON object; an empty or unparsable one reads as an object without members.
std::optional<QJsonObject> storedObject(const DocumentStore &documents, const QString &name)
{
    const std::optional<QString> stored = documents.read(name);
    if (!stored)
        return std::nullopt;
    return QJsonDocument::fromJson(stored->toUtf8()).object();
}
} // namespace

template <class T> std::optional<QList<T>> ListStore::read(Held<T> &held, const QString &kind)
{
    const QString name = m_client.listDocumentName(kind);
    if (held.list && held.document == name)
        return held.list;
    held.list.reset();
    const std::optional<QJsonObject> document = storedObject(m_documents, name);
    if (!document)
        return std::nullopt;
    held.list = parseList<T>(*document, ServiceClient::listMember(kind));
    held.document = name;
    qCDebug(lcLists) << name << "list:" << held.list->size() << "records";
    return held.list;
}

std::optional<QList<Inco1>> ListStore::inco1List()
{
    return read(m_inco1, QStringLiteral("inco1List"));
}

std::optional<QList<Transport>> ListStore::transportList()
{
    return read(m_transport, QStringLiteral("transportList"));
}

std::optional<QList<OrderType>> ListStore::orderTypeList()
{
    return read(m_orderTypes, QStringLiteral("orderTypeList"));
}

std::optional<QList<Tvstz>> ListStore::tvstzList()
{
    return read(m_tvstz, QStringLiteral("getTvstzList"));
}

std::optional<QList<NoticeGroup>> ListStore::noticeGroupList()
{
    return read(m_noticeGroup, QStringLiteral("getNoticeGroupUserList"));
}

std::optional<QJsonValue> ListStore::inco2List()
{
    const std::optional<QJsonObject> document = storedObject(m_documents, QStringLiteral("inco2List"));
    if (!document)
        return std::nullopt;
    return document->value(QStringLiteral("inco2List"));
}

bool ListStore::hasList(const QString &kind)
{
    const auto filled = [](const auto &list) { return list && !list->isEmpty(); };
    if (kind == QLatin1String("inco1List"))
        return filled(inco1List());
    if (kind == QLatin1String("transportList"))
        return filled(transportList());
    if (kind == QLatin1String("orderTypeList"))
        return filled(orderTypeList());
    if (kind == QLatin1String("getTvstzList"))
        return filled(tvstzList());
    if (kind == QLatin1String("getNoticeGroupUserList"))
        return filled(noticeGroupList());
    const std::optional<QJsonValue> inco2 = inco2List();
    return inco2 && !inco2->toArray().isEmpty();
}

void ListStore::withList(const QString &kind, QObject *context, std::function<void(const ApiStatus &)> ready)
{
    if (!hasList(kind)) {
        m_backgroundQueue.removeOne(kind); // asked for now: it goes at once, not in its turn
        fetch(kind, context, std::move(ready));
        return;
    }
    if (ready)
        ready(ApiStatus{true, QStringLiteral("00"), QString(), std::nullopt});
}

void ListStore::refreshStoredLists()
{
    for (const QString &kind : kinds()) {
        if (!m_backgroundQueue.contains(kind))
            m_backgroundQueue.append(kind);
    }
    sendBackgroundFetches();
}

void ListStore::sendBackgroundFetches()
{
    while (m_backgroundFetches < kMaxBackgroundFetches && !m_backgroundQueue.isEmpty()) {
        ++m_backgroundFetches;
        const QString kind = m_backgroundQueue.takeFirst();
        if (kind == kCustomers)
            sendClientList(true);
        else
            fetch(kind, nullptr, {}, true);
    }
}

bool ListStore::isFetching(const QString &kind) const
{
    return m_fetching.contains(m_client.listDocumentName(kind));
}

void ListStore::fetch(const QString &kind, QObject *context, std::function<void(const ApiStatus &)> ready,
                      bool background)
{
    // Named now: the answer belongs to the organisation it was asked for, whatever the session holds later.
    const QString name = m_client.listDocumentName(kind);
    const bool onItsWay = m_fetching.contains(name);
    m_fetching[name].append(Waiter{CallerGuard(context), std::move(ready)});
    if (onItsWay) {
        if (background) { // joined a fetch already on its way: the slot is free again
            --m_backgroundFetches;
            sendBackgroundFetches();
        }
        return;
    }
    m_client.fetchList(kind, [this, name, background](const ApiStatus &status, const QString &text) {
        if (status.isSuccess)
            storeDocument(name, text);
        const QList<Waiter> waiters = m_fetching.take(name);
        for (const Waiter &waiter : waiters) {
            if (waiter.ready && waiter.context.alive())
                waiter.ready(status);
        }
        if (background) {
            --m_backgroundFetches;
            sendBackgroundFetches();
        }
    }, background);
}

void ListStore::storeDocument(const QString &document, const QString &text)
{
    m_documents.write(document, text);
    const auto drop = [&document](auto &held) {
        if (held.document == document)
            held.list.reset();
    };
    drop(m_inco1);
    drop(m_transport);
    drop(m_orderTypes);
    drop(m_tvstz);
    drop(m_noticeGroup);
}

void ListStore::setCustomerList(std::optional<QList<OrderCustomer>> customers)
{
    m_customers = std::move(customers);
    ++m_customerSession;
    m_customerFetch = 0;
    m_customerWaiters.clear();
    m_backgroundQueue.removeOne(kCustomers);
}

void ListStore::prefetchCustomers()
{
    setCustomerList(std::nullopt);
    m_backgroundQueue.prepend(kCustomers);
    sendBackgroundFetches();
}

void ListStore::joinClientList(QObject *context, CustomersDone done)
{
    if (m_customerFetch) {
        m_customerWaiters.append(CustomerWaiter{CallerGuard(context), std::move(done)});
        return;
    }
    m_backgroundQueue.removeOne(kCustomers); // asked for now: it goes at once, not in its turn
    clientList(context, std::move(done));
}

void ListStore::clientList(QObject *context, CustomersDone done)
{
    m_customerWaiters.append(CustomerWaiter{CallerGuard(context), std::move(done)});
    sendClientList(false);
}

void ListStore::sendClientList(bool background)
{
    const quint64 sequence = m_customerAnswers.next();
    m_customerFetch = sequence;
    m_operations.clientList<QList<OrderCustomer>>(
        m_secure.value(QStringLiteral("userId")).value_or(QString()), nullptr,
        [](const ApiStatus &status) {
            return status.isSuccess && status.returnJson ? readCustomerList(status.returnJson->object())
                                                         : QList<OrderCustomer>();
        },
        [this, sequence, session = m_customerSession, background](const ApiStatus &status,
                                                                  QList<OrderCustomer> customers) {
            if (background) {
                --m_backgroundFetches;
                sendBackgroundFetches();
            }
            // Asked for before a sign-out or another sign-in: not this session's customers.
            if (session != m_customerSession)
                return;
            const bool ok = status.isSuccess && status.returnJson;
            if (ok && m_customerAnswers.take(sequence))
                m_customers = std::move(customers);
            if (sequence != m_customerFetch)
                return; // a later request is on its way: the waiters have its answer
            m_customerFetch = 0;
            const QList<CustomerWaiter> waiters = std::exchange(m_customerWaiters, {});
            for (const CustomerWaiter &waiter : waiters) {
                if (waiter.context.alive() && waiter.done)
                    waiter.done(ok, ok ? m_customers : std::nullopt);
            }
        },
        background);
}
