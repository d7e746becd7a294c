#pragma once
// The writer thread of owner-only documents: jobs run one at a time, in the order they were queued, on a
// thread of their own, so that serialising and writing never stall the main thread. A job queued under a
// path is skipped when a newer job for the same path follows it (only the newest content of a document
// matters). At destruction a job under way finishes and the ones still waiting are dropped, as a killed
// process would drop them. Queued from the main thread only.
#include "model/DocumentStore.h"

#include <QHash>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

class DocumentWriter : public QObject
{
    Q_OBJECT
public:
    explicit DocumentWriter(QObject *parent = nullptr);
    ~DocumentWriter() override;

    // Runs `job` on the writer thread unless a newer job for `path` is queued by then.
    void queue(const QString &path, std::function<void()> job);
    // Writes what `serialise` makes (on the writer thread) as the document `kind` of `store`.
    void write(const DocumentStore &store, const QString &kind, std::function<QByteArray()> serialise);
    void remove(const DocumentStore &store, const QString &kind);

    // No job is running or waiting.
    bool isIdle() const { return m_queued == 0; }

signals:
    // Every job queued so far has finished (or was skipped).
    void idle();

private:
    QHash<QString, std::shared_ptr<std::atomic<quint64>>> m_newest; // per path: the newest job's number
    std::shared_ptr<std::atomic<bool>> m_closing = std::make_shared<std::atomic<bool>>(false);
    quint64 m_jobs = 0;
    int m_queued = 0;
    QThreadPool m_pool;
};
