#pragma once
// The More tab: About, Contact, password change, the installed version (with the update link when a
// newer version exists) and sign-out. The menu is rebuilt each time the screen is about to appear, so
// it shows the version check's latest result.
#include "ui/ListModel.h"
#include "ui/Screen.h"

class MoreViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per entry: "name", "subTitle", "disclosure" (it has an action), "highlight" (a tap shows).
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(QColor titleColor READ titleColor CONSTANT)

public:
    struct Entry {
        QString name;        // localised
        QString detailTitle; // "VER" for the version row, else empty
        QString function;    // the action run when selected; empty for none
    };

    // An entry as its row draws it.
    struct Row {
        QString name;
        QString subTitle;
        bool disclosure = false;
        bool highlight = false;
        friend bool operator==(const Row &, const Row &) = default;
    };

    explicit MoreViewController(QObject *parent = nullptr);

    QList<Entry> tableViewArray() const { return m_entries; }
    ListModelBase *rows() { return &m_rows; }
    const RowListModel<Row> &rowList() const { return m_rows; }
    QColor titleColor() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    Q_INVOKABLE void selectRow(int row);

    // Menu actions, found by the names in `function`.
    Q_INVOKABLE void about();
    Q_INVOKABLE void contactUs();
    Q_INVOKABLE void changePassword();
    Q_INVOKABLE void updateApp();
    Q_INVOKABLE void logout();

private:
    void rebuild();
    // The menu action named `function`; null when this screen has none of that name.
    using Action = void (MoreViewController::*)();
    static Action action(const QString &function);
    void signOut();

    QList<Entry> m_entries;
    // What the version check said when the menu was built.
    QString m_versionText;
    bool m_newerVersion = false;
    RowListModel<Row> m_rows;
};
