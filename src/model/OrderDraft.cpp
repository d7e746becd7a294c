#include "model/OrderDraft.h"

#include "model/OrderResult.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcDraft, "zelk.model.draft", QtWarningMsg)

namespace {
QString documentKind(const QString &account)
{
    return QStringLiteral("orderDraft-") + DocumentStore::hashedName(account);
}
} // namespace

OrderDraft::OrderDraft(const QString &folder, std::function<QString()> orderUserName, QObject *parent)
    : QObject(parent), m_store(folder, QStringLiteral(".json")), m_cart(std::move(orderUserName))
{
    connect(&m_writer, &DocumentWriter::idle, this, &OrderDraft::saved);
}

OrderDraft::~OrderDraft() = default;

QString OrderDraft::documentPath(const QString &account) const { return m_store.path(documentKind(account)); }

void OrderDraft::open(const QString &account)
{
    close();
    m_account = account;
    if (account.isEmpty())
        return;
    QString why;
    std::optional<OrderDraftContent> stored = m_store.readOrSetAside(
        documentKind(account),
        [&](const QByteArray &bytes, QString *w) { return OrderDraftDocument::read(bytes, account, w); }, &why);
    if (!stored) {
        if (!why.isEmpty())
            qCWarning(lcDraft).noquote() << "order draft set aside:" << why;
        return;
    }
    m_content = std::move(*stored);
    m_cart.setCartOrderArray(m_content.lines);
    emit linesReset();
    emit changed();
}

void OrderDraft::close()
{
    // The writes queued for the account that leaves still go out (its document is another path).
    m_account.clear();
    m_content = OrderDraftContent();
    m_answered.clear();
    m_cart.setCartOrderArray({});
    emit linesReset();
    emit changed();
}

void OrderDraft::start(Kind kind, const OrderCustomer &customer)
{
    const std::optional<double> guard = m_content.failedSubmissionAt;
    m_content = OrderDraftContent();
    m_content.kind = kind;
    m_content.order.orderCustomer = customer;
    m_content.failedSubmissionAt = guard;
    m_answered.clear();
    contentChanged([&] { emit linesReset(); });
}

void OrderDraft::setOrder(const Order &order)
{
    if (order == m_content.order)
        return;
    m_content.order = order;
    contentChanged();
}

void OrderDraft::editOrder(const Order &edited) { setOrder(orderEditedFrom(edited, m_content.order)); }

bool OrderDraft::resumable() const
{
    return !m_content.lines.isEmpty() || !m_content.order.orderCustomer.kunnr.isEmpty();
}

void OrderDraft::discard()
{
    // What the last answer said stays (with answeredLines()) for the screen showing it; a start clears it.
    m_content = OrderDraftContent{Kind::none, Order(), {}, m_content.results, m_content.failedSubmissionAt};
    contentChanged([&] { emit linesReset(); });
}

void OrderDraft::setLines(const QList<Order> &lines)
{
    m_content.lines = lines;
    contentChanged([&] { emit linesReset(); });
}

void OrderDraft::appendLine(const Order &line)
{
    m_content.lines.append(line);
    contentChanged([&] { emit lineAdded(int(m_content.lines.size()) - 1); });
}

void OrderDraft::removeLine(const QString &orderSeq)
{
    for (qsizetype row = 0; row < m_content.lines.size(); ++row) {
        if (m_content.lines.at(row).orderSeq == orderSeq) {
            m_content.lines.removeAt(row);
            contentChanged([&] { emit lineRemoved(int(row)); });
            return;
        }
    }
}

bool OrderDraft::editLine(const QString &orderSeq, const Order &edited)
{
    for (qsizetype row = 0; row < m_content.lines.size(); ++row) {
        Order &line = m_content.lines[row];
        if (line.orderSeq == orderSeq) {
            line = orderEditedFrom(edited, line);
            contentChanged([&] { emit lineChanged(int(row)); });
            return true;
        }
    }
    return false;
}

bool OrderDraft::holdsLinesOfUnknownFate() const
{
    const QList<OrderConfirm> &lines = m_cart.orderConfirmArray();
    return std::any_of(lines.cbegin(), lines.cend(),
                       [this](const OrderConfirm &line) { return fate(line.orderSeq) == LineFate::unknown; });
}

OrderConfirm OrderDraft::withResult(OrderConfirm line) const
{
    const LineResult known = result(line.orderSeq);
    line.orderStatus = known.fate == LineFate::ordered   ? SapOrderStatus::success
                       : known.fate == LineFate::refused ? SapOrderStatus::fail
                                                         : SapOrderStatus::waitToOrder;
    line.sapOrderNo = known.sapOrderNo;
    line.sapOrderError = known.sapOrderError;
    return line;
}

void OrderDraft::markSent(const QList<OrderConfirm> &lines)
{
    QStringList seqs;
    for (const OrderConfirm &line : lines) {
        m_content.results.insert(line.orderSeq, LineResult{LineFate::unknown, {}, {}});
        seqs << line.orderSeq;
    }
    contentChanged([&] { emit resultsRecorded(seqs); });
}

void OrderDraft::recordAnswer(const QList<OrderConfirm> &answered)
{
    // Only the fates of the lines of this answer are kept: earlier identities have left the cart.
    // The lines are kept as sent; what the answer said of them lives in the results alone.
    QHash<QString, LineResult> results;
    QStringList seqs;
    m_answered.clear();
    for (const OrderConfirm &line : answered) {
        const LineFate fate = line.orderStatus == SapOrderStatus::success ? LineFate::ordered
                              : line.orderStatus == SapOrderStatus::fail  ? LineFate::refused
                                                                          : LineFate::unknown;
        results.insert(line.orderSeq, LineResult{fate, line.sapOrderNo, line.sapOrderError});
        seqs << line.orderSeq;
        OrderConfirm sent = line;
        sent.orderStatus = SapOrderStatus::waitToOrder;
        sent.sapOrderNo.clear();
        sent.sapOrderError.clear();
        m_answered.append(sent);
    }
    m_content.results = results;
    m_content.lines = ordersLeft(answered, m_content.lines);
    contentChanged([&] {
        emit linesReset();
        emit resultsRecorded(seqs);
    });
}

void OrderDraft::restore(const OrderDraftContent &entered)
{
    const std::optional<double> guard = m_content.failedSubmissionAt;
    m_content = entered;
    m_content.results.clear();
    m_content.failedSubmissionAt = guard;
    m_answered.clear();
    contentChanged([this] { emit linesReset(); });
}

void OrderDraft::setFailedSubmissionAt(std::optional<double> at)
{
    if (at == m_content.failedSubmissionAt)
        return;
    m_content.failedSubmissionAt = at;
    contentChanged();
}

void OrderDraft::contentChanged(const std::function<void()> &tell)
{
    if (m_cart.cartOrderArray() != m_content.lines)
        m_cart.setCartOrderArray(m_content.lines);
    if (tell)
        tell();
    emit changed();
    if (!m_account.isEmpty())
        queueSave();
}

void OrderDraft::queueSave()
{
    // The writer gets a copy of the content (shared, not deep) and serialises it on its thread.
    const QString kind = documentKind(m_account);
    if (resumable() || m_content.failedSubmissionAt.has_value())
        m_writer.write(m_store, kind, [content = m_content, account = m_account] {
            return OrderDraftDocument::write(content, account);
        });
    else
        m_writer.remove(m_store, kind);
}
