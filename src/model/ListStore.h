#pragma once
// The master-data lists built from the stored information documents, held in memory after the first
// read, and the customer list held once the `clientList` answer has arrived.
#include "model/MasterData.h"
#include "model/OrderStatus.h"

#include "services/ServiceClient.h"
#include "services/ServiceTypes.h"

#include <QHash>
#include <QJsonDocument>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DocumentStore;
class ServiceClient;
class Operations;
class SecureStore;

class ListStore
{
public:
    ListStore(DocumentStore &documents, ServiceClient &client, Operations &operations, SecureStore &secure);

    // The list kinds kept as stored documents, in the order they are fetched after a sign-in.
    static const QStringList &kinds();

    // List readers: the held list, else the one built from the stored document (held from then on; a
    // stored document that is empty or does not parse gives an empty list). Nothing when no document is
    // stored. Kinds that depend on the sales organisation are read from the document of the session's
    // organisation. Readers never ask the server: see withList.
    std::optional<QList<Inco1>> inco1List();
    std::optional<QList<Transport>> transportList();
    std::optional<QList<OrderType>> orderTypeList();
    std::optional<QList<Tvstz>> tvstzList();
    std::optional<QList<NoticeGroup>> noticeGroupList();
    // The "inco2List" document is kept but not turned into records: its member "inco2List", or nothing.
    std::optional<QJsonValue> inco2List();

    // Whether the list of `kind` can be read now and is not empty (an empty list counts as missing).
    bool hasList(const QString &kind);
    // Makes the list of `kind` readable: `ready` runs at once (with a success) when it is; otherwise the
    // list is fetched and `ready` runs with the answer's result once it has arrived, unless `context`
    // has gone by then. A fetch of the same document already on its way is joined, not sent again.
    void withList(const QString &kind, QObject *context, std::function<void(const ApiStatus &status)> ready);
    // Fetches every kind again in the background (after each sign-in), at low priority and at most
    // kMaxBackgroundFetches at once, so that what the user asks for meanwhile goes first; a kind a screen
    // asks for (withList) before its turn is fetched at once. An answer "00" holding the kind's list as an
    // array replaces the stored document and the held list; any other answer keeps both.
    void refreshStoredLists();
    static constexpr int kMaxBackgroundFetches = 2;
    // Whether a fetch of the kind's document (for the session's organisation) is on its way.
    bool isFetching(const QString &kind) const;

    // The customer list: absent until a `clientList` answer arrives, absent again after logout. Setting
    // it drops the answers still on their way (they were asked for another session).
    const std::optional<QList<OrderCustomer>> &customerList() const { return m_customers; }
    void setCustomerList(std::optional<QList<OrderCustomer>> customers);

    using CustomersDone = std::function<void(bool ok, std::optional<QList<OrderCustomer>> customers)>;
    // Asks `clientList` for the signed-in user's customers; the answer is read on a worker thread. On
    // success the parsed list (empty when "custList" is missing) replaces the held customer list, unless
    // the answer to a later request has replaced it already; on failure the held list stays. `done` runs
    // once the newest request on its way has been answered, with its result and the held list; it is
    // dropped when `context` has gone by then (the list is held all the same).
    void clientList(QObject *context, CustomersDone done);
    void clientList(CustomersDone done) { clientList(nullptr, std::move(done)); }
    // As clientList, but a request on its way (or queued in the background) is joined, not sent again.
    void joinClientList(QObject *context, CustomersDone done);
    // After a sign-in: drops the held list and asks for the signed-in user's in the background, first of
    // the background fetches, so that it is held before a screen needs it.
    void prefetchCustomers();

private:
    // A list built from a document, with the name of the document it was built from: a list of an
    // organisation-dependent kind is held only for the organisation it was fetched for.
    template <class T> struct Held {
        std::optional<QList<T>> list;
        QString document;
    };
    template <class T> std::optional<QList<T>> read(Held<T> &held, const QString &kind);
    // Sends the fetch of `kind` unless one for the same document is on its way; every waiter gets its result.
    void fetch(const QString &kind, QObject *context, std::function<void(const ApiStatus &)> ready,
               bool background = false);
    // Sends queued background fetches while fewer than kMaxBackgroundFetches are on their way.
    void sendBackgroundFetches();
    // Stores an accepted answer and drops the lists built from the document it replaces.
    void storeDocument(const QString &document, const QString &text);

    struct Waiter {
        CallerGuard context;
        std::function<void(const ApiStatus &)> ready;
    };

    DocumentStore &m_documents;
    ServiceClient &m_client;
    Operations &m_operations;
    SecureStore &m_secure;
    Held<Inco1> m_inco1;
    Held<Transport> m_transport;
    Held<OrderType> m_orderTypes;
    Held<Tvstz> m_tvstz;
    Held<NoticeGroup> m_noticeGroup;
    std::optional<QList<OrderCustomer>> m_customers;
    QHash<QString, QList<Waiter>> m_fetching; // by document name
    QStringList m_backgroundQueue;            // kinds waiting for a background fetch
    int m_backgroundFetches = 0;              // background fetches on their way

    // Sends `clientList`; its answer is dropped when the held list has been set since.
    void sendClientList(bool background);
    struct CustomerWaiter {
        CallerGuard context;
        CustomersDone done;
    };
    AnswerSequence m_customerAnswers;
    quint64 m_customerFetch = 0;           // sequence of the newest request on its way, 0 when none
    quint64 m_customerSession = 0;         // changes whenever the held list is set
    QList<CustomerWaiter> m_customerWaiters; // waiting for the newest request's answer
    static inline const QString kCustomers = QStringLiteral("clientList"); // its turn in the background queue
};
