#pragma once
// The More tab: About, Contact, password change, the installed version (with the update link when a
// newer version exists) and sign-out. The menu is rebuilt each time the screen is about to appear, so
// it shows the version check's latest result.
#include "ui/Screen.h"

#include <QVariantList>

class MoreViewController : public Screen
{
    Q_OBJECT
    // One row per entry: {"name", "subTitle", "disclosure" (bool), "highlight" (bool: selection style)}.
    Q_PROPERTY(QVariantList rows READ rows NOTIFY rowsChanged)
    Q_PROPERTY(QColor titleColor READ titleColor CONSTANT)

public:
    struct Entry {
        QString name;        // localised
        QString detailTitle; // "VER" for the version row, else empty
        QString function;    // the action run when selected; empty for none
    };

    explicit MoreViewController(QObject *parent = nullptr);

    QList<Entry> tableViewArray() const { return m_entries; }
    QVariantList rows() const;
    QColor titleColor() const;

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;

    Q_INVOKABLE void selectRow(int row);

    // Menu actions, looked up by the names in `function`.
    Q_INVOKABLE void about();
    Q_INVOKABLE void contactUs();
    Q_INVOKABLE void changePassword();
    Q_INVOKABLE void updateApp();
    Q_INVOKABLE void logout();

signals:
    void rowsChanged();

private:
    void rebuild();
    bool respondsTo(const QString &function) const;
    void signOut();

    QList<Entry> m_entries;
    // What the version check said when the menu was built.
    QString m_versionText;
    bool m_newerVersion = false;
};
