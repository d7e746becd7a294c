#include "ui/ScreenListModel.h"

#include "ui/Screen.h"

#include <algorithm>

ScreenListModel::ScreenListModel(QObject *parent) : QAbstractListModel(parent) {}

qsizetype ScreenListModel::find(const Screen *screen, qsizetype from) const
{
    for (qsizetype i = from; i < m_rows.size(); ++i) {
        if (m_rows.at(i).screen == screen)
            return i;
    }
    return -1;
}

void ScreenListModel::setScreens(const QList<Screen *> &shown, const QList<Screen *> &leaving)
{
    QList<Row> wanted;
    const auto listed = [&wanted](const Screen *s) {
        return std::any_of(wanted.cbegin(), wanted.cend(), [s](const Row &w) { return w.screen == s; });
    };
    for (Screen *s : shown) {
        if (s && !listed(s))
            wanted.append({s, s, false, int(wanted.size())});
    }
    for (Screen *s : leaving) {
        if (s && !listed(s))
            wanted.append({s, s, true, -1});
    }
    const int before = count();

    // Rows whose screen is no longer wanted go first, from the end so the indices stay valid.
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        if (!listed(m_rows.at(i).screen)) {
            beginRemoveRows({}, int(i), int(i));
            disconnect(m_rows.at(i).guard, nullptr, this, nullptr);
            m_rows.removeAt(i);
            endRemoveRows();
        }
    }
    // Then each wanted row is put in place: already there, moved up from further down, or inserted.
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const Row &w = wanted.at(i);
        const qsizetype at = find(w.screen, i);
        if (at == i) {
            Row &row = m_rows[i];
            if (row.leaving != w.leaving || row.stackIndex != w.stackIndex) {
                row.leaving = w.leaving;
                row.stackIndex = w.stackIndex;
                emit dataChanged(index(int(i)), index(int(i)), {IndexRole, LeavingRole});
            }
        } else if (at > i) {
            beginMoveRows({}, int(at), int(at), {}, int(i));
            m_rows.move(at, i);
            endMoveRows();
            Row &row = m_rows[i];
            row.leaving = w.leaving;
            row.stackIndex = w.stackIndex;
            emit dataChanged(index(int(i)), index(int(i)), {IndexRole, LeavingRole});
        } else {
            beginInsertRows({}, int(i), int(i));
            m_rows.insert(i, w);
            connect(w.screen, &QObject::destroyed, this, &ScreenListModel::screenDestroyed);
            endInsertRows();
        }
    }
    if (count() != before)
        emit countChanged();
}

void ScreenListModel::screenDestroyed(QObject *object)
{
    for (qsizetype i = m_rows.size() - 1; i >= 0; --i) {
        if (m_rows.at(i).screen != object)
            continue;
        beginRemoveRows({}, int(i), int(i));
        m_rows.removeAt(i);
        endRemoveRows();
        emit countChanged();
    }
}

Screen *ScreenListModel::screenAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).guard.data() : nullptr;
}

bool ScreenListModel::isLeaving(int row) const
{
    return row >= 0 && row < m_rows.size() && m_rows.at(row).leaving;
}

int ScreenListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ScreenListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Row &row = m_rows.at(index.row());
    switch (role) {
    case ScreenRole:
        return QVariant::fromValue<QObject *>(row.guard.data());
    case IndexRole:
        return row.stackIndex;
    case LeavingRole:
        return row.leaving;
    default:
        return {};
    }
}

QHash<int, QByteArray> ScreenListModel::roleNames() const
{
    return {{ScreenRole, "screen"}, {IndexRole, "stackIndex"}, {LeavingRole, "leaving"}};
}
