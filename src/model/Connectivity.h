#pragma once
// Whether the gateway can be reached, as the app's calls find it, and what that means for the rep: while
// no call gets an answer the app works offline (screens show kept data, orders wait in the outbox), and
// the note of the window's quiet bar says so, with the age of the oldest kept data shown since; the
// first answer of any call ends it. While offline, or while the outbox waits after a call whose answer
// did not come, a low-priority probe asks the gateway again with growing pauses (5 s, doubling to 30 s).
// The first answer after being offline, and each answer to the probe, let the outbox go on sending.
// Main thread only.
#include <QObject>
#include <QTimer>

#include <functional>

class Outbox;
class ServiceClient;

class Connectivity : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool offline READ isOffline NOTIFY offlineChanged)
    Q_PROPERTY(QString note READ note NOTIFY noteChanged)
public:
    static constexpr int kFirstProbeMs = 5000;
    static constexpr int kLongestProbeMs = 30000;

    Connectivity(ServiceClient &client, Outbox &outbox, QObject *parent = nullptr);

    bool isOffline() const { return m_offline; }
    // "" while online; "無法連線" offline; "無法連線 · 離線資料 · 2 小時前" once kept data was shown.
    QString note() const;
    // The pause before the next probe (0 when none is due).
    int nextProbeMs() const { return m_probe.isActive() ? m_probe.interval() : 0; }

    // The clock of the age (ms since 1970, UTC); tests set it.
    void setClock(std::function<qint64()> now) { m_now = std::move(now); }
    // Tests shorten the pauses.
    void setProbePauses(int firstMs, int longestMs);

signals:
    void offlineChanged();
    void noteChanged();

private:
    void answered();
    void unreachable();
    void keptShown(qint64 receivedAt);
    bool probeNeeded() const;
    // Starts the probe (after the first pause, or `longer`: twice the last), or stops it when not needed.
    void scheduleProbe(bool longer);
    void probe();

    ServiceClient &m_client;
    Outbox &m_outbox;
    std::function<qint64()> m_now;
    bool m_offline = false;
    qint64 m_oldestKept = 0; // the oldest kept answer shown since the app went offline, 0 when none
    int m_firstProbeMs = kFirstProbeMs;
    int m_longestProbeMs = kLongestProbeMs;
    QTimer m_probe;
    QTimer m_ageing; // the note's age moves on while offline
};
