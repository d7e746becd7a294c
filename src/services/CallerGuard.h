#pragma once
// The object a deferred callback belongs to (usually a screen), as QObject::connect binds a slot to its
// receiver: once bound, the callback runs only while that object lives. Unbound (null), it always runs.
#include <QObject>
#include <QPointer>

class CallerGuard
{
public:
    CallerGuard() = default;
    CallerGuard(QObject *object) : m_object(object), m_bound(object != nullptr) {} // NOLINT: converts on purpose

    bool alive() const { return !m_bound || m_object; }

private:
    QPointer<QObject> m_object;
    bool m_bound = false;
};
