#pragma once
// The home tab: a top cell greeting the signed-in user by the hour and showing the title of the newest
// notification, then the menu of functions ("訂單創建" opens order entry, "訂單查詢" the order query,
// "待送出訂單" the outbox, with the count of its orders as a badge).
// The newest notification is asked for each time the screen becomes visible. When the signed-in account
// left an unfinished order, the first appearance offers to continue it (ResumeOffer).
#include "model/UserPushHistory.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <QDateTime>

#include <functional>

class HomeViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // The home cell: welcomeLabel, pushNewsLabel, and whether the news line (with its caption) shows.
    Q_PROPERTY(QString welcomeText READ welcomeText NOTIFY homeCellChanged)
    Q_PROPERTY(QString pushNewsText READ pushNewsText NOTIFY homeCellChanged)
    Q_PROPERTY(bool pushNewsVisible READ pushNewsVisible NOTIFY homeCellChanged)
    // The menu section: its header and one row per function with its shown "name", in order.
    Q_PROPERTY(QString menuHeader READ menuHeader CONSTANT)
    Q_PROPERTY(ListModelBase *menu READ menu CONSTANT)
    Q_PROPERTY(QColor menuTextColor READ menuTextColor CONSTANT)

public:
    struct MenuEntry {
        QString name;     // localised
        QString function; // the action run when selected; empty for none
        int badge = 0;    // a count shown beside the name; 0 for none
        friend bool operator==(const MenuEntry &, const MenuEntry &) = default;
    };
    using Clock = std::function<QDateTime()>;

    explicit HomeViewController(QObject *parent = nullptr);

    // The local time the greeting is chosen by (tests inject their own).
    void setClock(Clock clock) { m_clock = std::move(clock); }
    // "晚安 " (0–4 and 19–23), "早安 " (5–11), "午安 " (12–18): the untranslated key for the hour.
    static QString greetingKey(int hour);

    QString welcomeText() const { return m_welcome; }
    QString pushNewsText() const { return m_pushNews; }
    bool pushNewsVisible() const { return m_pushNewsVisible; }
    QString menuHeader() const;
    ListModelBase *menu() { return &m_menu; }
    QColor menuTextColor() const;
    QList<MenuEntry> tableViewArray() const { return m_menu.rows(); }
    QList<UserPushHistory> pushListArray() const { return m_pushList; }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // A tap on a row: section 0 is the home cell, section 1 the menu.
    Q_INVOKABLE void selectRow(int section, int row);

    // Menu actions.
    Q_INVOKABLE void order();
    Q_INVOKABLE void orderHistory();
    Q_INVOKABLE void outbox();

signals:
    void homeCellChanged();

private:
    void loadNewest();
    void fillHomeCell();
    void countOutbox();
    // Shows order entry ("OrderSegue") with `sender` as the destination's title; `continueDraft`: it
    // opens where the order draft stands.
    void performOrderSegue(const QString &sender, bool continueDraft = false);

    RowListModel<MenuEntry> m_menu;
    QList<UserPushHistory> m_pushList;
    QString m_welcome;
    QString m_pushNews;
    bool m_pushNewsVisible = false;
    Clock m_clock;
    bool m_draftOffered = false;
};
