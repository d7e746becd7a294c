#include "model/Outbox.h"

#include "model/Order.h"
#include "model/OrderResult.h"
#include "model/SubmissionGuard.h"
#include "services/Operations.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QLoggingCategory>
#include <QPointer>
#include <QSet>

#include <cmath>

Q_LOGGING_CATEGORY(lcOutbox, "zelk.model.outbox", QtWarningMsg)

namespace {
QString documentKind(const QString &account) { return QStringLiteral("outbox-") + DocumentStore::hashedName(account); }
} // namespace

Outbox::Outbox(const QString &folder, SubmissionGuard &guard, std::function<QString()> mailAddress, QObject *parent)
    : QObject(parent), m_store(folder, QStringLiteral(".json")), m_guard(guard), m_mailAddress(std::move(mailAddress))
{
    setCreditCheck({});
    m_guardTimer.setSingleShot(true);
    connect(&m_guardTimer, &QTimer::timeout, this, &Outbox::sendNext);
    connect(&m_writer, &DocumentWriter::idle, this, &Outbox::saved);
}

Outbox::~Outbox() = default;

QString Outbox::documentPath(const QString &account) const { return m_store.path(documentKind(account)); }

void Outbox::open(const QString &account)
{
    close();
    m_account = account;
    if (account.isEmpty())
        return;
    QString why;
    std::optional<OutboxContent> stored = m_store.readOrSetAside(
        documentKind(account), [&](const QByteArray &bytes, QString *w) { return OutboxDocument::read(bytes, account, w); },
        &why);
    if (!stored) {
        if (!why.isEmpty())
            qCWarning(lcOutbox).noquote() << "outbox set aside:" << why;
        return;
    }
    m_content = std::move(*stored);
    for (const OutboxOrder &order : std::as_const(m_content.orders))
        emit orderAdded(order.id);
}

void Outbox::close()
{
    // The writes queued for the account that leaves still go out (its document is another path).
    ++m_session;
    m_guardTimer.stop();
    m_sendingId.clear();
    m_stopped = true;
    m_account.clear();
    const QList<OutboxOrder> leaving = std::exchange(m_content.orders, {});
    for (const OutboxOrder &order : leaving)
        emit orderRemoved(order.id);
}

const OutboxOrder *Outbox::order(const QString &id) const
{
    for (const OutboxOrder &order : m_content.orders) {
        if (order.id == id)
            return &order;
    }
    return nullptr;
}

OutboxOrder *Outbox::find(const QString &id) { return const_cast<OutboxOrder *>(std::as_const(*this).order(id)); }

QString Outbox::add(OrderDraftContent::Kind kind, const OrderCustomer &customer, const QList<OrderConfirm> &lines,
                    OutboxLineState state, const std::optional<OrderDraftContent> &entered)
{
    if (m_account.isEmpty() || lines.isEmpty())
        return {};
    OutboxOrder order;
    order.id = newOrderSeq();
    order.kind = kind;
    order.customer = customer;
    order.putAt = m_guard.now();
    for (const OrderConfirm &line : lines) {
        OutboxLine waiting{line};
        waiting.line.sapOrderNo.clear();
        waiting.line.sapOrderError.clear();
        waiting.setState(state == OutboxLineState::unknown ? state : OutboxLineState::waiting);
        order.lines.append(waiting);
    }
    if (state != OutboxLineState::unknown)
        order.entered = entered;
    m_content.orders.append(order);
    changed();
    emit orderAdded(order.id);
    return order.id;
}

bool Outbox::remove(const QString &id)
{
    if (id == m_sendingId)
        return false;
    for (qsizetype i = 0; i < m_content.orders.size(); ++i) {
        if (m_content.orders.at(i).id == id) {
            m_content.orders.removeAt(i);
            changed();
            emit orderRemoved(id);
            return true;
        }
    }
    return false;
}

std::optional<OrderDraftContent> Outbox::takeBack(const QString &id)
{
    const OutboxOrder *taken = order(id);
    if (!taken || id == m_sendingId || !taken->changeable())
        return std::nullopt;
    std::optional<OrderDraftContent> entered = taken->entered;
    remove(id);
    return entered;
}

void Outbox::setCreditCheck(CreditCheck check)
{
    m_creditCheck = check ? std::move(check) : CreditCheck([](const OutboxOrder &, auto done) { done({}); });
}

void Outbox::resume()
{
    m_stopped = false;
    sendNext();
}

void Outbox::sendNext()
{
    if (m_account.isEmpty() || m_stopped || isSending())
        return;
    m_guardTimer.stop();
    for (const OutboxOrder &order : std::as_const(m_content.orders)) {
        if (order.hasLinesToSend()) {
            send(order.id);
            return;
        }
    }
}

void Outbox::send(const QString &id)
{
    m_sendingId = id;
    const quint64 session = m_session;
    m_creditCheck(*find(id), [this, self = QPointer<Outbox>(this), session, id](const CreditVerdict &verdict) {
        if (!self || session != m_session)
            return;
        m_sendingId.clear();
        if (!find(id)) {
            sendNext();
            return;
        }
        if (verdict.outcome == CreditVerdict::unknown) {
            m_stopped = true;
            emit sendingStopped();
            return;
        }
        if (verdict.outcome == CreditVerdict::refused) {
            refuse(id, verdict.why, true);
            sendNext();
            return;
        }
        m_sendingId = id;
        // Only the lines not placed go out, under the identities they had.
        QList<OrderConfirm> sent;
        QJsonArray lines;
        for (const OutboxLine &line : find(id)->lines) {
            if (line.state == OutboxLineState::waiting || line.state == OutboxLineState::unknown) {
                sent.append(line.line);
                lines.append(lineObject(line.line, m_account, m_mailAddress ? m_mailAddress() : QString()));
            }
        }
        auto wentOut = std::make_shared<bool>(false);
        m_guard.eipOrder2(
            Operations::orderSubmissionParameters(m_account, lines),
            [this, self, session, id, sent, wentOut](const ApiStatus &status) {
                if (!self || session != m_session)
                    return; // another account's answer, or one for an outbox closed since
                if (!*wentOut) {
                    // The guard held it back: nothing was sent; try again once it allows.
                    m_sendingId.clear();
                    m_guardTimer.start(int(std::ceil(std::max(m_guard.secondsLeft(), 0.0) * 1000)) + 1);
                    return;
                }
                answered(id, sent, status);
            },
            [this, self, session, id, sent, wentOut] {
                *wentOut = true;
                if (!self || session != m_session)
                    return;
                if (OutboxOrder *order = find(id)) {
                    QSet<QString> seqs;
                    for (const OrderConfirm &line : sent)
                        seqs.insert(line.orderSeq);
                    setStates(*order, [&](const OutboxLine &line) -> std::optional<OutboxLineState> {
                        if (seqs.contains(line.line.orderSeq))
                            return OutboxLineState::sending;
                        return std::nullopt;
                    });
                }
            });
    });
}

void Outbox::answered(const QString &id, const QList<OrderConfirm> &sent, const ApiStatus &status)
{
    m_sendingId.clear();
    OutboxOrder *order = find(id);
    if (!order)
        return;
    if (!status.returnJson) {
        // No answer to read: whether the server placed the lines is not known.
        QSet<QString> sentSeqs;
        for (const OrderConfirm &line : sent)
            sentSeqs.insert(line.orderSeq);
        setStates(*order, [&](const OutboxLine &line) -> std::optional<OutboxLineState> {
            if (sentSeqs.contains(line.line.orderSeq))
                return OutboxLineState::unknown;
            return std::nullopt;
        });
        qCWarning(lcOutbox).noquote() << "outbox order without an answer, sending stops:" << status.message;
        m_stopped = true;
        emit sendingStopped();
        return;
    }
    if (!status.isSuccess) {
        // The server refused the submission as a whole.
        refuse(id, status.message, true);
        sendNext();
        return;
    }
    QList<OrderConfirm> marked = sent;
    markOrderResults(marked, status.returnJson->object().value(QStringLiteral("orderList")).toArray());
    QHash<QString, OrderConfirm> bySeq;
    for (const OrderConfirm &line : std::as_const(marked))
        bySeq.insert(line.orderSeq, line);
    bool unnamed = false;
    QString refusal;
    // The texts of the answer go with the states.
    for (OutboxLine &line : order->lines) {
        const auto it = bySeq.constFind(line.line.orderSeq);
        if (it != bySeq.constEnd()) {
            line.line.sapOrderNo = it->sapOrderNo;
            line.line.sapOrderError = it->sapOrderError;
        }
    }
    setStates(*order, [&](const OutboxLine &line) -> std::optional<OutboxLineState> {
        const auto it = bySeq.constFind(line.line.orderSeq);
        if (it == bySeq.constEnd())
            return std::nullopt;
        switch (it->orderStatus) {
        case SapOrderStatus::success:
            return OutboxLineState::placed;
        case SapOrderStatus::fail:
            if (refusal.isEmpty())
                refusal = it->sapOrderError;
            return OutboxLineState::refused;
        case SapOrderStatus::waitToOrder:
            break;
        }
        unnamed = true;
        return OutboxLineState::unknown;
    });
    if (order->refused()) {
        emit orderRefused(id, refusal);
    } else if (order->finished()) {
        const OutboxOrder done = *order;
        m_content.orders.removeIf([&](const OutboxOrder &o) { return o.id == id; });
        changed();
        emit orderFinished(done);
    } else if (unnamed) {
        // The answer left lines out: their fate is unknown, and sending them again at once would only ask
        // the same; it waits as for a missing answer.
        m_stopped = true;
        emit sendingStopped();
        return;
    }
    sendNext();
}

void Outbox::refuse(const QString &id, const QString &message, bool onlyUnplaced)
{
    OutboxOrder *order = find(id);
    if (!order)
        return;
    for (OutboxLine &line : order->lines) {
        if (!onlyUnplaced || line.state != OutboxLineState::placed)
            line.line.sapOrderError = message;
    }
    setStates(*order, [&](const OutboxLine &line) -> std::optional<OutboxLineState> {
        if (onlyUnplaced && line.state == OutboxLineState::placed)
            return std::nullopt;
        return OutboxLineState::refused;
    });
    emit orderRefused(id, message);
}

void Outbox::setStates(OutboxOrder &order, const std::function<std::optional<OutboxLineState>(const OutboxLine &)> &to)
{
    QStringList changedSeqs;
    for (OutboxLine &line : order.lines) {
        const std::optional<OutboxLineState> state = to(line);
        if (state && *state != line.state) {
            line.setState(*state);
            changedSeqs << line.line.orderSeq;
        }
    }
    changed();
    const QString id = order.id;
    for (const QString &seq : std::as_const(changedSeqs))
        emit lineStateChanged(id, seq);
}

void Outbox::changed()
{
    if (m_account.isEmpty())
        return;
    const QString kind = documentKind(m_account);
    if (m_content.orders.isEmpty())
        m_writer.remove(m_store, kind);
    else
        m_writer.write(m_store, kind, [content = m_content, account = m_account] {
            return OutboxDocument::write(content, account);
        });
}
