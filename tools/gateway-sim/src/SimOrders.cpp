// Orders and credit: the credit query, placing orders (each line once per orderSeq), the order query
// and the notice mail.
#include "SimAnswers.h"
#include "SimBackend.h"

#include <QJsonDocument>

#include <algorithm>

using namespace sim;

QJsonObject SimBackend::customerCredit(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pKunnr"), QStringLiteral("pKkber")}))
        return *m;
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    if (!customer(kunnr))
        return fail(QStringLiteral("01"), QStringLiteral("查無客戶 ") + kunnr);
    const Credit credit = m_credits.value(kunnr);
    return ok({{"custCredit", QJsonObject{{"pKunnr", kunnr},
                                          {"pKkber", str(p, QStringLiteral("pKkber"))},
                                          {"pKlimk", credit.limit},
                                          {"pOblig", credit.available},
                                          {"pWaers", "TWD"}}}});
}

QJsonObject SimBackend::createOrder(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("eipOrder2List")}))
        return *m;
    const Account *account = accountById(str(p, QStringLiteral("userID")));
    if (!account)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QJsonArray lines;
    const QJsonValue listValue = p.value(QStringLiteral("eipOrder2List"));
    if (listValue.isArray()) {
        lines = listValue.toArray();
    } else if (listValue.isString()) { // tolerate the document sent as JSON text
        const QJsonDocument doc = QJsonDocument::fromJson(listValue.toString().toUtf8());
        if (!doc.isArray())
            return fail(QStringLiteral("01"), QStringLiteral("eipOrder2List 格式錯誤"));
        lines = doc.array();
    } else {
        return fail(QStringLiteral("01"), QStringLiteral("eipOrder2List 格式錯誤"));
    }
    if (lines.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("沒有訂單資料"));

    QJsonArray results;
    for (const QJsonValue &lineValue : std::as_const(lines)) {
        const QJsonObject line = lineValue.toObject();
        const QString orderSeq = str(line, QStringLiteral("orderSeq"));
        auto refuse = [&](const QString &message) {
            results.append(QJsonObject{{"orderSeq", orderSeq}, {"returnCode", "E"}, {"returnMsg", message}, {"otVbeln", ""}});
        };
        if (orderSeq.isEmpty()) {
            refuse(QStringLiteral("缺少訂單識別碼 orderSeq"));
            continue;
        }
        // A line that was already ordered (a resend) gets its earlier answer and is not ordered again.
        if (const auto earlier = m_orderResults.constFind(orderSeq); earlier != m_orderResults.constEnd()) {
            results.append(*earlier);
            continue;
        }
        const QString kunnr = str(line, QStringLiteral("kunwe"));
        const QJsonObject *c = customer(kunnr);
        if (!c || !canSee(*account, *c)) {
            refuse(QStringLiteral("查無客戶 ") + kunnr);
            continue;
        }
        const QString matnr = str(line, QStringLiteral("matnr"));
        const Material *m = material(matnr);
        if (!m) {
            refuse(QStringLiteral("查無物料 ") + matnr);
            continue;
        }
        if (!m->blocked.isEmpty()) {
            refuse(m->blocked);
            continue;
        }
        const auto quantity = number(str(line, QStringLiteral("kwmeng")));
        if (!quantity || *quantity <= 0) {
            refuse(QStringLiteral("訂購數量必須大於 0"));
            continue;
        }
        const auto price = number(str(line, QStringLiteral("kbetr")));
        if (!price || *price < 0) {
            refuse(QStringLiteral("單價格式錯誤"));
            continue;
        }
        ContractLine *contractLine = nullptr;
        const QString vgbel = str(line, QStringLiteral("vgbel"));
        if (!vgbel.isEmpty()) {
            Contract *contract = nullptr;
            for (Contract &k : m_contracts) {
                if (k.vbeln == vgbel && k.kunnr == kunnr)
                    contract = &k;
            }
            if (!contract) {
                refuse(QStringLiteral("查無客戶 %1 的合約 %2").arg(kunnr, vgbel));
                continue;
            }
            for (ContractLine &l : contract->lines) {
                if (l.matnr == matnr)
                    contractLine = &l;
            }
            if (!contractLine) {
                refuse(QStringLiteral("合約 %1 不含物料 %2").arg(vgbel, matnr));
                continue;
            }
            const double left = contractLine->maximum - contractLine->ordered;
            if (*quantity > left + 1e-9) {
                refuse(QStringLiteral("超過合約剩餘數量（剩餘 %1）").arg(money(std::max(0.0, left))));
                continue;
            }
        }
        Credit &credit = m_credits[kunnr];
        const double value = *quantity * *price;
        if (value > credit.available + 1e-9) {
            refuse(QStringLiteral("信用額度不足（可用額度 %1 元）").arg(money(credit.available)));
            continue;
        }

        credit.available -= value;
        if (contractLine)
            contractLine->ordered += *quantity;
        PlacedOrder order;
        order.vbeln = QStringLiteral("%1").arg(m_nextOrderNumber++, 10, 10, QLatin1Char('0'));
        order.kunnr = kunnr;
        order.matnr = matnr;
        order.arktx = m->maktx;
        order.werks = str(line, QStringLiteral("plant")).isEmpty() ? c->value(QStringLiteral("vkorg")).toString()
                                                                   : str(line, QStringLiteral("plant"));
        order.userID = account->userID;
        order.orderSeq = orderSeq;
        order.cmpre = *price;
        order.kwmeng = *quantity;
        order.created = now();
        m_orders.append(order);
        const QJsonObject result{{"orderSeq", orderSeq},
                                 {"returnCode", "S"},
                                 {"returnMsg", QStringLiteral("訂單 %1 已建立").arg(order.vbeln)},
                                 {"otVbeln", order.vbeln}};
        m_orderResults.insert(orderSeq, result);
        results.append(result);
    }
    return ok({{"orderList", results}}, QStringLiteral("處理完成"));
}

QJsonObject SimBackend::historyRow(const PlacedOrder &o) const
{
    const QJsonObject *c = customer(o.kunnr);
    const QJsonObject org = salesOrg(c ? c->value(QStringLiteral("vkorg")).toString() : o.werks);
    const QDateTime local = utcToTaipeiFields(o.created);
    // Date and time as the servers' clients in Taiwan encode them: the date's midnight and the time of
    // day on 1970-01-01, both as Taipei wall times in milliseconds since 1970.
    const qint64 audat = QDateTime(local.date(), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() - kTaipeiOffsetMs;
    const qint64 erzet = qint64(local.time().msecsSinceStartOfDay()) - kTaipeiOffsetMs;
    return QJsonObject{{"bukrs", org.value(QStringLiteral("bukrs")).toString()},
                       {"name1", org.value(QStringLiteral("bukrsName")).toString()},
                       {"werks", o.werks},
                       {"name2", org.value(QStringLiteral("vkorgName")).toString()},
                       {"kunnr", o.kunnr},
                       {"name3", c ? c->value(QStringLiteral("name1")).toString() : QString()},
                       {"vbeln", o.vbeln},
                       {"audat", double(audat)},
                       {"erzet", double(erzet)},
                       {"arktx", o.arktx},
                       {"cmpre", o.cmpre},
                       {"kwmeng", o.kwmeng},
                       {"fkimg", o.fkimg},
                       {"fkimg1", std::max(0.0, o.kwmeng - o.fkimg)}};
}

QJsonObject SimBackend::queryOrder(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("userID"), QStringLiteral("pBegdat"), QStringLiteral("pEnddat")}))
        return *m;
    const Account *account = accountById(str(p, QStringLiteral("userID")));
    if (!account)
        return fail(QStringLiteral("01"), QStringLiteral("查無使用者"));
    QDate begin = QDate::fromString(str(p, QStringLiteral("pBegdat")), QStringLiteral("yyyyMMdd"));
    QDate end = QDate::fromString(str(p, QStringLiteral("pEnddat")), QStringLiteral("yyyyMMdd"));
    if (!begin.isValid() || !end.isValid())
        return fail(QStringLiteral("01"), QStringLiteral("日期格式錯誤，請以 8 碼數字 (yyyyMMdd) 傳送 pBegdat 與 pEnddat"));
    if (begin > end)
        std::swap(begin, end);
    const QString kunnr = str(p, QStringLiteral("pKunnr"));
    const QString vbeln = str(p, QStringLiteral("pVbeln")).trimmed();
    QJsonArray list;
    for (qsizetype i = m_orders.size() - 1; i >= 0; --i) { // newest first
        const PlacedOrder &o = m_orders.at(i);
        const QJsonObject *c = customer(o.kunnr);
        if (!c || !canSee(*account, *c))
            continue;
        const QDate day = utcToTaipeiFields(o.created).date();
        if (day < begin || day > end)
            continue;
        if (!kunnr.isEmpty() && o.kunnr != kunnr)
            continue;
        if (!vbeln.isEmpty() && o.vbeln != vbeln && stripZeros(o.vbeln) != stripZeros(vbeln))
            continue;
        list.append(historyRow(o));
    }
    return ok({{"orderList", list}});
}

QJsonArray SimBackend::placedOrders() const
{
    QJsonArray list;
    for (const PlacedOrder &o : m_orders) {
        QJsonObject row = historyRow(o);
        row.insert(QStringLiteral("orderSeq"), o.orderSeq);
        row.insert(QStringLiteral("userID"), o.userID);
        list.append(row);
    }
    return list;
}

QJsonObject SimBackend::sendMail(const QJsonObject &p)
{
    if (auto m = missing(p, {QStringLiteral("sendMailList")}))
        return *m;
    const QJsonArray list = p.value(QStringLiteral("sendMailList")).toArray();
    if (list.isEmpty())
        return fail(QStringLiteral("01"), QStringLiteral("沒有要發送的通知"));
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QJsonObject item = list.at(i).toObject();
        const QJsonArray recipients = item.value(QStringLiteral("mailList")).toArray();
        if (recipients.isEmpty())
            return fail(QStringLiteral("01"), QStringLiteral("第 %1 筆通知沒有收件人").arg(i + 1));
        // The sender's organisation's notice group: every recipient must be one of its members (at the
        // member's own address), and a group with required persons needs one of them among the recipients.
        const Account *sender = accountById(str(item, QStringLiteral("userId")));
        if (!sender)
            return fail(QStringLiteral("01"), QStringLiteral("第 %1 筆通知的發送人不存在").arg(i + 1));
        const QJsonArray group =
            m_seed.value(QStringLiteral("noticeGroups")).toObject().value(sender->vkorg).toArray();
        bool groupHasRequired = false;
        bool requiredChosen = false;
        for (const QJsonValue &m : group)
            groupHasRequired |= m.toObject().value(QStringLiteral("type")).toString() == QLatin1String("1");
        for (const QJsonValue &r : recipients) {
            const QJsonObject recipient = r.toObject();
            const auto member = std::find_if(group.begin(), group.end(), [&](const QJsonValue &m) {
                return m.toObject().value(QStringLiteral("userID")) == recipient.value(QStringLiteral("userId"))
                       && m.toObject().value(QStringLiteral("email")) == recipient.value(QStringLiteral("mail"));
            });
            if (member == group.end())
                return fail(QStringLiteral("01"), QStringLiteral("第 %1 筆通知的收件人 %2 不是 %3 通知群組的成員")
                                                      .arg(i + 1)
                                                      .arg(recipient.value(QStringLiteral("userId")).toString(),
                                                           sender->vkorg));
            requiredChosen |= member->toObject().value(QStringLiteral("type")).toString() == QLatin1String("1");
        }
        if (groupHasRequired && !requiredChosen)
            return fail(QStringLiteral("01"), QStringLiteral("第 %1 筆通知沒有必選人員").arg(i + 1));
    }
    m_sentMails.append(QJsonObject{{"time", utcToTaipeiFields(now()).toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))},
                                   {"sendMailList", list}});
    return ok({}, QStringLiteral("通知已發送"));
}

// ---- boards ----
