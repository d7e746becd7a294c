#include "model/DocumentWriter.h"

DocumentWriter::DocumentWriter(QObject *parent) : QObject(parent) { m_pool.setMaxThreadCount(1); }

DocumentWriter::~DocumentWriter()
{
    *m_closing = true;
    m_pool.waitForDone();
}

void DocumentWriter::queue(const QString &path, std::function<void()> job)
{
    std::shared_ptr<std::atomic<quint64>> &newest = m_newest[path];
    if (!newest)
        newest = std::make_shared<std::atomic<quint64>>(0);
    const quint64 number = ++m_jobs;
    *newest = number;
    ++m_queued;
    // The job touches nothing of this object but the queued call back, which goes with the object.
    m_pool.start([this, path, newest, number, closing = m_closing, job = std::move(job)] {
        if (!*closing && *newest == number)
            job();
        QMetaObject::invokeMethod(this, [this, path, number] {
            const auto found = m_newest.constFind(path);
            if (found != m_newest.cend() && **found == number)
                m_newest.erase(found);
            if (--m_queued == 0)
                emit idle();
        }, Qt::QueuedConnection);
    });
}

void DocumentWriter::write(const DocumentStore &store, const QString &kind, std::function<QByteArray()> serialise)
{
    queue(store.path(kind), [store, kind, serialise = std::move(serialise)] { store.writeBytes(kind, serialise()); });
}

void DocumentWriter::remove(const DocumentStore &store, const QString &kind)
{
    queue(store.path(kind), [store, kind] { store.remove(kind); });
}
