#pragma once
// The screens a container draws, as a list model for its view: a navigation stack's pages (with the
// pages still sliding out), the screens presented over the window. Changes go out as row inserts,
// removals, moves and data changes, so a view keeps the page items it already has and their state.
// A screen deleted while listed leaves its row at once.
#include <QtQml/qqmlregistration.h>
#include <QAbstractListModel>
#include <QList>
#include <QPointer>

class Screen;

class ScreenListModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made in C++")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Role {
        ScreenRole = Qt::UserRole + 1, // "screen": the controller
        IndexRole,                     // "stackIndex": position among the shown screens, -1 when leaving
        LeavingRole,                   // "leaving": removed, drawn until its transition ends
    };

    explicit ScreenListModel(QObject *parent = nullptr);

    // Makes the rows `shown` (stackIndex 0…) followed by `leaving`, in that order, with the fewest row
    // changes. A screen listed in both counts as shown.
    void setScreens(const QList<Screen *> &shown, const QList<Screen *> &leaving = {});

    int count() const { return int(m_rows.size()); }
    Screen *screenAt(int row) const;
    bool isLeaving(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

private:
    struct Row {
        Screen *screen = nullptr;
        QPointer<Screen> guard;
        bool leaving = false;
        int stackIndex = -1;
    };
    void screenDestroyed(QObject *object);
    qsizetype find(const Screen *screen, qsizetype from) const;

    QList<Row> m_rows;
};
