#include "model/KeptData.h"

#include "text/Localizer.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QLoggingCategory>
#include <QPointer>
#include <QSet>

#include <algorithm>

Q_LOGGING_CATEGORY(lcKept, "zelk.model.kept", QtWarningMsg)

using namespace Qt::StringLiterals;
using namespace KeptDocument;

KeptData::KeptData(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder), m_now([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    connect(&m_writer, &DocumentWriter::idle, this, &KeptData::saved);
}

KeptData::Slot KeptData::slot(const Kind &kind, const QString &kunnr, const char *by, const QString &value)
{
    Slot s{kind, kunnr, {}, QLatin1String(kind.name)};
    if (!kunnr.isEmpty())
        s.key.insert("kunnr"_L1, kunnr);
    if (by) {
        s.key.insert(QLatin1String(by), value);
        s.name += u'-' + DocumentStore::hashedName(value);
    }
    return s;
}

QString KeptData::accountFolder(const QString &account) const
{
    return QDir(m_folder).filePath(DocumentStore::hashedName(account));
}

DocumentStore KeptData::store(const QString &account, const Slot &slot) const { return store(m_folder, account, slot); }

DocumentStore KeptData::store(const QString &folder, const QString &account, const Slot &slot)
{
    const QString own = QDir(folder).filePath(DocumentStore::hashedName(account));
    return DocumentStore(slot.kunnr.isEmpty() ? own : QDir(own).filePath(DocumentStore::hashedName(slot.kunnr)),
                         u".json"_s);
}

std::optional<KeptAnswer> KeptData::read(const QString &account, const Slot &slot) const
{
    return read(m_folder, account, slot);
}

std::optional<KeptAnswer> KeptData::read(const QString &folder, const QString &account, const Slot &slot)
{
    if (account.isEmpty())
        return std::nullopt;
    QFile file(store(folder, account, slot).path(slot.name));
    if (!file.exists())
        return std::nullopt;
    QString why = u"unreadable"_s;
    std::optional<KeptAnswer> kept;
    if (file.open(QIODevice::ReadOnly))
        kept = KeptDocument::read(file.readAll(), slot.kind, account, slot.key, &why);
    if (!kept)
        qCWarning(lcKept).noquote() << "kept" << slot.kind.name << "not read, nothing kept:" << why;
    return kept;
}

std::optional<KeptAnswer> KeptData::customers(const QString &account) const { return read(account, slot(kCustomers)); }

std::optional<KeptAnswer> KeptData::prices(const QString &account, const QString &kunnr, const QString &inco1) const
{
    return read(account, slot(kPrices, kunnr, "inco1", inco1));
}

std::optional<KeptAnswer> KeptData::credit(const QString &account, const QString &kunnr) const
{
    return read(account, slot(kCredit, kunnr));
}

std::optional<KeptAnswer> KeptData::shippingPoint(const QString &account, const QString &kunnr) const
{
    return read(account, slot(kShippingPoint, kunnr));
}

std::optional<KeptAnswer> KeptData::contracts(const QString &account, const QString &kunnr) const
{
    return read(account, slot(kContracts, kunnr));
}

std::optional<KeptAnswer> KeptData::contractMaterials(const QString &account, const QString &kunnr,
                                                      const QString &vbeln) const
{
    return read(account, slot(kContractMaterials, kunnr, "vbeln", vbeln));
}

QStringList KeptData::openedCustomers(const QString &account)
{
    auto found = m_opened.find(account);
    if (found == m_opened.end()) {
        QStringList list;
        if (const std::optional<KeptAnswer> index = read(account, slot(kOpened))) {
            for (const QJsonValue &kunnr : index->answer.value("opened"_L1).toArray()) {
                if (kunnr.isString() && !kunnr.toString().isEmpty() && !list.contains(kunnr.toString()))
                    list.append(kunnr.toString());
            }
        }
        found = m_opened.insert(account, list.mid(0, kMaxCustomers));
    }
    return *found;
}

std::optional<std::pair<QString, KeptData::Slot>> KeptData::slotOf(const QString &apiName, const ApiParameters &parameters,
                                                                   const QString &currentKunnr)
{
    const QJsonObject asked = parameters.value_or(QJsonObject());
    const auto text = [&asked](const char *key) { return asked.value(QLatin1String(key)).toString(); };
    const QString account = text("userID");
    std::optional<Slot> where;
    if (apiName == "clientList"_L1)
        where = slot(kCustomers);
    else if (apiName == "ZSD_GET_MATNR_PRICE"_L1 && asked.contains("pInco1"_L1) && !currentKunnr.isEmpty())
        where = slot(kPrices, currentKunnr, "inco1", text("pInco1"));
    else if (apiName == "ZBAPI_GET_CUSTOMER_CREDIT"_L1 && !text("pKunnr").isEmpty())
        where = slot(kCredit, text("pKunnr"));
    else if (apiName == "ZSD_GET_TVSTZ"_L1 && !text("pKunnr").isEmpty())
        where = slot(kShippingPoint, text("pKunnr"));
    else if (apiName == "ZSD_GET_CUST_CONTRACT2"_L1 && !text("pKunnr").isEmpty())
        where = slot(kContracts, text("pKunnr"));
    else if (apiName == "ZSD_GET_CUST_CONTRACT1"_L1 && !currentKunnr.isEmpty())
        where = slot(kContractMaterials, currentKunnr, "vbeln", text("pVbeln"));
    if (!where || account.isEmpty())
        return std::nullopt;
    return std::pair(account, *where);
}

ServiceClient::KeptReader KeptData::reader(const QString &apiName, const ApiParameters &parameters,
                                           const QString &currentKunnr) const
{
    const auto found = slotOf(apiName, parameters, currentKunnr);
    if (!found)
        return {};
    // Touches files only, of the account the call was asked for.
    return [folder = m_folder, account = found->first, where = found->second]() -> std::optional<ApiStatus> {
        const std::optional<KeptAnswer> kept = read(folder, account, where);
        if (!kept)
            return std::nullopt;
        ApiStatus status{true, u"00"_s, QString(), QJsonDocument(kept->answer)};
        status.keptAt = kept->receivedAt;
        return status;
    };
}

ServiceClient::AnswerKeeper KeptData::keeper(const QString &apiName, const ApiParameters &parameters,
                                             const QString &currentKunnr)
{
    const auto found = slotOf(apiName, parameters, currentKunnr);
    if (!found)
        return {};
    // Bound to what the call was asked for when it was sent, whoever is signed in when it is answered.
    return [self = QPointer<KeptData>(this), account = found->first, where = found->second](const ApiStatus &status) {
        if (!self || !status.isSuccess || !status.returnJson || status.keptAt)
            return;
        const std::optional<QJsonValue> member = KeptDocument::member(where.kind, status.returnJson->object());
        if (!member)
            return;
        // A shipping point without both texts is no shipping point: the header page refuses it too.
        const QJsonObject point = member->toObject();
        if (qstrcmp(where.kind.name, kShippingPoint.name) == 0
            && !(point.value("vstel"_L1).isString() && point.value("route"_L1).isString()))
            return;
        self->keep(account, where, *member);
    };
}

void KeptData::keep(const QString &account, const Slot &slot, const QJsonValue &member)
{
    const qint64 at = m_now();
    if (!slot.kunnr.isEmpty())
        opened(account, slot.kunnr);
    // Serialised on the writer thread, which also lets go of the answer there.
    m_writer.write(store(account, slot), slot.name, [kind = slot.kind, account, key = slot.key, member, at] {
        return KeptDocument::write(kind, account, key, member, at);
    });
}

void KeptData::opened(const QString &account, const QString &kunnr)
{
    openedCustomers(account);
    QStringList &list = m_opened[account];
    if (!list.isEmpty() && list.first() == kunnr)
        return;
    list.removeAll(kunnr);
    list.prepend(kunnr);
    while (list.size() > kMaxCustomers)
        list.removeLast();
    const Slot index = slot(kOpened);
    const DocumentStore folder = store(account, index);
    m_writer.queue(folder.path(index.name), [folder, index, account, list, at = m_now()] {
        folder.writeBytes(index.name, KeptDocument::write(index.kind, account, index.key,
                                                          QJsonArray::fromStringList(list), at));
        // The folders of customers no longer listed go: those dropped now, and any an unreadable index left.
        QSet<QString> listed;
        for (const QString &kunnr : list)
            listed.insert(DocumentStore::hashedName(kunnr));
        const QDir dir(folder.folder());
        for (const QString &entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            if (!listed.contains(entry))
                QDir(dir.filePath(entry)).removeRecursively();
        }
    });
}

QString KeptData::ageText(qint64 receivedAt, qint64 now)
{
    const qint64 minutes = std::max<qint64>(0, now - receivedAt) / 60000;
    if (minutes < 1)
        return localized(QT_TRANSLATE_NOOP("Zelk", "離線資料 · 剛剛"));
    if (minutes < 60)
        return localizedFormat(QT_TRANSLATE_NOOP("Zelk", "離線資料 · %d 分鐘前"), {minutes});
    if (minutes < 24 * 60)
        return localizedFormat(QT_TRANSLATE_NOOP("Zelk", "離線資料 · %d 小時前"), {minutes / 60});
    return localizedFormat(QT_TRANSLATE_NOOP("Zelk", "離線資料 · %d 天前"), {minutes / (24 * 60)});
}
