#pragma once
// The company's contact details; the two telephone rows open the dialler.
#include "ui/ListModel.h"
#include "ui/Screen.h"

class ContactUsViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per entry: "name" and "detail".
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(QColor titleColor READ titleColor CONSTANT)

public:
    struct Entry {
        QString name;        // localised
        QString detailTitle; // the value shown under the name
        friend bool operator==(const Entry &, const Entry &) = default;
    };

    explicit ContactUsViewController(QObject *parent = nullptr);

    QList<Entry> tableViewArray() const { return m_entries.rows(); }
    ListModelBase *rows() { return &m_entries; }
    QColor titleColor() const;

    void viewDidLoad() override;

    // Rows 2 and 5 (the telephone numbers) dial their number; the others do nothing.
    Q_INVOKABLE void selectRow(int row);

private:
    RowListModel<Entry> m_entries;
};
