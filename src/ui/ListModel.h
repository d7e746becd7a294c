#pragma once
// The list models the views show: named roles over plain rows, changed by row-level signals so a view
// keeps its delegates (and their state) across updates.
//
//     RowListModel<OrderTableStruct> rows{{{"title", [](const OrderTableStruct &r) { return r.title; }},
//                                          {"detail", [](const OrderTableStruct &r) { return r.subTitle; }}}};
//     rows.setRows(newRows);   // rows that equal the old ones at their place send nothing
//     rows.setRows(newRows, [](const OrderTableStruct &r) { return r.key; }); // matched by key
//
// A filtered list is a RowListModel<int> of indices into its source, whose roles read the source: the
// records are never copied.
#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <QByteArray>
#include <QList>
#include <QSet>
#include <QVariant>

#include <algorithm>
#include <type_traits>
#include <functional>
#include <utility>
#include <vector>

// The part with signals and the count property (a template cannot be a Q_OBJECT).
class ListModelBase : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    using QAbstractListModel::QAbstractListModel;
    int count() const { return rowCount(); }

    // The value of the role named `role` at `row`; invalid when either does not exist.
    QVariant value(int row, const QByteArray &role) const
    {
        const int key = roleNames().key(role, -1);
        return key < 0 ? QVariant() : data(index(row), key);
    }

signals:
    void countChanged();
};

template <class Row> class RowListModel : public ListModelBase
{
public:
    struct Role {
        QByteArray name;
        std::function<QVariant(const Row &)> value;
    };

    explicit RowListModel(std::vector<Role> roles, QObject *parent = nullptr)
        : ListModelBase(parent), m_roles(std::move(roles))
    {
    }

    const QList<Row> &rows() const { return m_rows; }
    const Row &at(int row) const { return m_rows.at(row); }
    int size() const { return int(m_rows.size()); }

    // Makes the rows `rows`: rows equal to the old ones at the same place send nothing, changed ones
    // dataChanged, and the tail is inserted or removed.
    void setRows(const QList<Row> &rows)
    {
        const int before = size();
        const int common = std::min(before, int(rows.size()));
        for (int i = 0; i < common; ++i) {
            if (m_rows.at(i) == rows.at(i))
                continue;
            m_rows[i] = rows.at(i);
            emit dataChanged(index(i), index(i));
        }
        if (rows.size() > before) {
            beginInsertRows({}, before, int(rows.size()) - 1);
            m_rows.append(rows.mid(before));
            endInsertRows();
        } else if (rows.size() < before) {
            beginRemoveRows({}, int(rows.size()), before - 1);
            m_rows.resize(rows.size());
            endRemoveRows();
        }
        if (size() != before)
            emit countChanged();
    }

    // Makes the rows `rows`, matching old and new rows by `keyOf` (unique in each), as a list changes when
    // rows are inserted, removed or changed where they stand: each run of rows whose key has gone is
    // removed, each run of new keys inserted at its place, and a row kept under its key sends dataChanged
    // when it changed. Kept rows in another order than before reset the model.
    template <class KeyOf> void setRows(const QList<Row> &rows, KeyOf keyOf)
    {
        using Key = std::decay_t<decltype(keyOf(std::declval<const Row &>()))>;
        const int before = size();
        QSet<Key> wanted;
        wanted.reserve(rows.size());
        for (const Row &row : rows)
            wanted.insert(keyOf(row));
        for (int last = size() - 1; last >= 0; --last) {
            if (wanted.contains(keyOf(m_rows.at(last))))
                continue;
            int first = last;
            while (first > 0 && !wanted.contains(keyOf(m_rows.at(first - 1))))
                --first;
            beginRemoveRows({}, first, last);
            m_rows.remove(first, last - first + 1);
            endRemoveRows();
            last = first;
        }
        int at = 0;
        for (const Row &kept : std::as_const(m_rows)) {
            while (at < rows.size() && keyOf(rows.at(at)) != keyOf(kept))
                ++at;
            if (at++ == rows.size()) {
                beginResetModel();
                m_rows = rows;
                endResetModel();
                if (size() != before)
                    emit countChanged();
                return;
            }
        }
        for (int row = 0; row < rows.size();) {
            if (row < size() && keyOf(m_rows.at(row)) == keyOf(rows.at(row))) {
                replace(row, rows.at(row));
                ++row;
                continue;
            }
            // New rows up to the next kept one (or the end).
            int last = row;
            while (last + 1 < rows.size() && !(row < size() && keyOf(rows.at(last + 1)) == keyOf(m_rows.at(row))))
                ++last;
            beginInsertRows({}, row, last);
            m_rows.insert(row, last - row + 1, Row());
            for (int i = row; i <= last; ++i)
                m_rows[i] = rows.at(i);
            endInsertRows();
            row = last + 1;
        }
        if (size() != before)
            emit countChanged();
    }

    void replace(int row, const Row &value)
    {
        if (row < 0 || row >= size() || m_rows.at(row) == value)
            return;
        m_rows[row] = value;
        emit dataChanged(index(row), index(row));
    }
    void insert(int row, const Row &value)
    {
        row = std::clamp(row, 0, size());
        beginInsertRows({}, row, row);
        m_rows.insert(row, value);
        endInsertRows();
        emit countChanged();
    }
    void append(const Row &value) { insert(size(), value); }
    void removeAt(int row)
    {
        if (row < 0 || row >= size())
            return;
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        emit countChanged();
    }
    // Every row's roles are read again (their source changed, the rows did not).
    void refresh()
    {
        if (size() > 0)
            emit dataChanged(index(0), index(size() - 1));
    }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : size(); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        const int r = role - Qt::UserRole;
        if (!index.isValid() || index.row() >= size() || r < 0 || r >= int(m_roles.size()))
            return {};
        return m_roles[std::size_t(r)].value(m_rows.at(index.row()));
    }
    QHash<int, QByteArray> roleNames() const override
    {
        QHash<int, QByteArray> names;
        for (std::size_t i = 0; i < m_roles.size(); ++i)
            names.insert(Qt::UserRole + int(i), m_roles[i].name);
        return names;
    }

private:
    std::vector<Role> m_roles;
    QList<Row> m_rows;
};
