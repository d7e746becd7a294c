#pragma once
// What a rep needs offline, kept per signed-in account with the time each answer arrived: the customer
// list, and for each customer opened the last price list per delivery terms, the credit, the shipping
// point, the contracts and each contract's materials. Filled from the answers the app receives (through
// ServiceClient's answer recorder): a success "00" holding its member replaces what was kept; a refusal
// or a failure keeps it.
//
// On disk, under the folder given: a folder per account ("<account hash>/", owner-only) holding
// "customers.json", the index "opened.json" and a folder per customer opened ("<kunnr hash>/credit.json",
// "prices-<inco1 hash>.json" …), each a KeptDocument replaced atomically on a writer thread. The answers of
// at most kMaxCustomers customers are kept: opening one more drops those of the customer opened longest
// ago; the customer list is kept whole. Signing out keeps an account's data; another account never reads
// it (another folder, and every document names its account).
#include "model/DocumentStore.h"
#include "model/DocumentWriter.h"
#include "model/KeptDocument.h"
#include "services/ServiceClient.h"

#include <QHash>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class KeptData : public QObject
{
    Q_OBJECT
public:
    static constexpr int kMaxCustomers = 200;

    explicit KeptData(const QString &folder, QObject *parent = nullptr);

    // The clock of the times received (ms since 1970, UTC); tests set it.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }

    // ---- readers: what the last finished write left, or nothing ----
    // A document that does not read (damaged, another account's, of a newer version, empty) is logged
    // and reads as nothing. Readers touch only files, so they may run on any thread: the customer list of
    // a large organisation is best read on a worker.
    std::optional<KeptAnswer> customers(const QString &account) const; // {"custList": […]}
    std::optional<KeptAnswer> prices(const QString &account, const QString &kunnr,
                                     const QString &inco1) const;         // {"matnrPriceList": […]}
    std::optional<KeptAnswer> credit(const QString &account, const QString &kunnr) const; // {"custCredit": {…}}
    std::optional<KeptAnswer> shippingPoint(const QString &account, const QString &kunnr) const; // {"tvstz": {…}}
    std::optional<KeptAnswer> contracts(const QString &account, const QString &kunnr) const; // {"custContract2List": […]}
    std::optional<KeptAnswer> contractMaterials(const QString &account, const QString &kunnr,
                                                const QString &vbeln) const; // {"custContract1List": […]}
    // The customers whose answers are kept, most recently opened first.
    QStringList openedCustomers(const QString &account);

    // ---- filling ----
    // The keeper of a gateway call being sent (a ServiceClient::AnswerRecorder). The account is the call's
    // "userID"; the customer its "pKunnr", or `currentKunnr` (the customer of the order being entered) for
    // the price list and a contract's materials, whose calls name none. None for other operations, without
    // an account or a customer, and for a price list asked without delivery terms.
    ServiceClient::AnswerKeeper keeper(const QString &apiName, const ApiParameters &parameters,
                                       const QString &currentKunnr);
    // The reader of what is kept for such a call (a ServiceClient::KeptReader, safe on any thread), for the
    // same calls as keeper(): the kept member as a "00" answer with its keptAt.
    ServiceClient::KeptReader reader(const QString &apiName, const ApiParameters &parameters,
                                     const QString &currentKunnr) const;

    // No write is running or waiting.
    bool isSaved() const { return m_writer.isIdle(); }
    // The folder of an account's kept data.
    QString accountFolder(const QString &account) const;

    // How old data received at `receivedAt` is at `now` (ms since 1970, UTC): "離線資料 · 2 小時前".
    static QString ageText(qint64 receivedAt, qint64 now);

signals:
    // Every answer kept so far is on disk.
    void saved();

private:
    // Where one kind of answer for one customer (and delivery terms or contract) is kept.
    struct Slot {
        KeptDocument::Kind kind;
        QString kunnr;   // empty for the customer list
        QJsonObject key; // what it was asked for
        QString name;    // its document
    };
    static Slot slot(const KeptDocument::Kind &kind, const QString &kunnr = QString(), const char *by = nullptr,
                     const QString &value = QString());
    // What a call is kept under: its account and slot; nothing for calls not kept.
    static std::optional<std::pair<QString, Slot>> slotOf(const QString &apiName, const ApiParameters &parameters,
                                                          const QString &currentKunnr);
    DocumentStore store(const QString &account, const Slot &slot) const;
    static DocumentStore store(const QString &folder, const QString &account, const Slot &slot);
    std::optional<KeptAnswer> read(const QString &account, const Slot &slot) const;
    static std::optional<KeptAnswer> read(const QString &folder, const QString &account, const Slot &slot);
    void keep(const QString &account, const Slot &slot, const QJsonValue &member);
    // `kunnr` was opened: first in the account's index, and the customers beyond kMaxCustomers dropped.
    void opened(const QString &account, const QString &kunnr);

    QString m_folder;
    std::function<qint64()> m_now;
    QHash<QString, QStringList> m_opened; // per account, read from its index on first use
    DocumentWriter m_writer;              // last member: gone first
};
