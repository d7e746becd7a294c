#pragma once
// The master-data lists built from the stored information documents, held in memory after the first
// read, and the customer list held once the `clientList` answer has arrived.
#include "model/MasterData.h"
#include "model/OrderStatus.h"

#include <QJsonDocument>
#include <QString>

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

    // The document of a kind as parsed JSON, or nothing. Kinds that depend on the sales organisation are
    // read from (and fetched into) the document of the session's organisation. A stored document that is empty or does not
    // parse is returned as an empty document (its lists come out empty) unless `refetchWhenInvalid` is set.
    // A missing document is fetched: blocking with `fetchWhenMissing`, else in the background.
    std::optional<QJsonDocument> loadListDocument(const QString &kind, bool fetchWhenMissing,
                                                  bool refetchWhenInvalid = false);

    // List readers. `reload` drops the held list first. Nothing is returned (and nothing held) when the
    // document cannot be had now; callers treat that like an empty list.
    std::optional<QList<Inco1>> inco1List(bool fetchWhenMissing, bool reload = false);
    std::optional<QList<Transport>> transportList(bool fetchWhenMissing, bool reload = false);
    std::optional<QList<OrderType>> orderTypeList(bool fetchWhenMissing, bool reload = false);
    std::optional<QList<Tvstz>> tvstzList(bool fetchWhenMissing, bool reload = false);
    std::optional<QList<NoticeGroup>> noticeGroupList(bool fetchWhenMissing, bool reload = false);
    // The "inco2List" document is kept but not turned into records: its member "inco2List", or nothing.
    std::optional<QJsonValue> inco2List(bool fetchWhenMissing);

    // The customer list: absent until a `clientList` answer arrives, absent again after logout.
    const std::optional<QList<OrderCustomer>> &customerList() const { return m_customers; }
    void setCustomerList(std::optional<QList<OrderCustomer>> customers) { m_customers = std::move(customers); }

    // Asks `clientList` for the signed-in user's customers. On success the parsed list (empty when
    // "custList" is missing) replaces the held customer list; on failure the held list stays.
    // `done` is dropped when `context` has gone by then; the list is held all the same.
    void clientList(QObject *context, std::function<void(bool ok, std::optional<QList<OrderCustomer>> customers)> done);
    void clientList(std::function<void(bool ok, std::optional<QList<OrderCustomer>> customers)> done)
    {
        clientList(nullptr, std::move(done));
    }

private:
    // A list built from a document, with the name of the document it was built from: a list of an
    // organisation-dependent kind is held only for the organisation it was fetched for.
    template <class T> struct Held {
        std::optional<QList<T>> list;
        QString document;
    };
    template <class T>
    std::optional<QList<T>> read(Held<T> &held, const QString &kind, const QString &listKey, bool fetchWhenMissing,
                                 bool reload);

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
};
