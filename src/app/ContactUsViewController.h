#pragma once
// The company's contact details; the two telephone rows open the dialler.
#include "ui/Screen.h"

#include <QVariantList>

class ContactUsViewController : public Screen
{
    Q_OBJECT
    // One row per entry: {"name", "detail"}.
    Q_PROPERTY(QVariantList rows READ rows CONSTANT)
    Q_PROPERTY(QColor titleColor READ titleColor CONSTANT)

public:
    struct Entry {
        QString name;        // localised
        QString detailTitle; // the value shown under the name
    };

    explicit ContactUsViewController(QObject *parent = nullptr);

    QList<Entry> tableViewArray() const { return m_entries; }
    QVariantList rows() const;
    QColor titleColor() const;

    void viewDidLoad() override;

    // Rows 2 and 5 (the telephone numbers) dial their number; the others do nothing.
    Q_INVOKABLE void selectRow(int row);

private:
    QList<Entry> m_entries;
};
