#include "model/Connectivity.h"

#include "model/KeptData.h"
#include "model/Outbox.h"
#include "services/ServiceClient.h"
#include "text/Localizer.h"

#include <QDateTime>
#include <QPointer>

#include <algorithm>

Connectivity::Connectivity(ServiceClient &client, Outbox &outbox, QObject *parent)
    : QObject(parent), m_client(client), m_outbox(outbox), m_now([] { return QDateTime::currentMSecsSinceEpoch(); })
{
    m_probe.setSingleShot(true);
    connect(&m_probe, &QTimer::timeout, this, &Connectivity::probe);
    m_ageing.setInterval(60000);
    connect(&m_ageing, &QTimer::timeout, this, &Connectivity::noteChanged);
    connect(&client, &ServiceClient::gatewayAnswered, this, &Connectivity::answered);
    connect(&client, &ServiceClient::gatewayUnreachable, this, &Connectivity::unreachable);
    connect(&client, &ServiceClient::keptAnswerServed, this, &Connectivity::keptShown);
    // An outbox that stopped for want of an answer is probed for too; one opened or closed re-plans.
    connect(&outbox, &Outbox::sendingStopped, this, [this] { scheduleProbe(false); });
    connect(&outbox, &Outbox::orderAdded, this, [this] { scheduleProbe(false); });
}

QString Connectivity::note() const
{
    if (!m_offline)
        return {};
    const QString offline = localized(QT_TRANSLATE_NOOP("Zelk", "無法連線"));
    if (!m_oldestKept)
        return offline;
    return offline + localized(QT_TRANSLATE_NOOP("Zelk", " · ")) + KeptData::ageText(m_oldestKept, m_now());
}

void Connectivity::setProbePauses(int firstMs, int longestMs)
{
    m_firstProbeMs = firstMs;
    m_longestProbeMs = std::max(firstMs, longestMs);
}

void Connectivity::answered()
{
    if (!std::exchange(m_offline, false))
        return;
    m_oldestKept = 0;
    m_ageing.stop();
    emit offlineChanged();
    emit noteChanged();
    // Back online: what waits goes out, after the answer's own completion (which may put an order in).
    QTimer::singleShot(0, this, [this] {
        m_outbox.resume();
        scheduleProbe(false);
    });
}

void Connectivity::unreachable()
{
    if (!std::exchange(m_offline, true)) {
        m_ageing.start();
        emit offlineChanged();
        emit noteChanged();
    }
    scheduleProbe(false);
}

void Connectivity::keptShown(qint64 receivedAt)
{
    if (!m_offline || (m_oldestKept && m_oldestKept <= receivedAt))
        return;
    m_oldestKept = receivedAt;
    emit noteChanged();
}

bool Connectivity::probeNeeded() const
{
    if (m_outbox.account().isEmpty())
        return false;
    if (m_offline)
        return true;
    // An outbox that stopped for want of an answer (a garbled one, say) is not sent again at once, which
    // would ask the same in a loop, but after the probe's pause.
    if (!m_outbox.isStopped())
        return false;
    return std::any_of(m_outbox.orders().cbegin(), m_outbox.orders().cend(),
                       [](const OutboxOrder &order) { return order.hasLinesToSend(); });
}

void Connectivity::scheduleProbe(bool longer)
{
    if (!probeNeeded())
        m_probe.stop();
    else if (longer)
        m_probe.start(std::min(m_probe.interval() * 2, m_longestProbeMs));
    else if (!m_probe.isActive())
        m_probe.start(m_firstProbeMs);
}

void Connectivity::probe()
{
    if (!probeNeeded())
        return;
    // The smallest list the gateway has; that an answer came is all that is wanted.
    m_client.fetchList(QStringLiteral("inco1List"), [self = QPointer<Connectivity>(this)](const ApiStatus &status, const QString &) {
        if (self && !status.unreachable)
            self->m_outbox.resume();
    }, true);
    // The next one after a longer pause, unless the state no longer asks for it by then.
    scheduleProbe(true);
}
