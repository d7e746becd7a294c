#pragma once
// The outbox screen ("待送出訂單", from the home menu): every order that could not be sent yet, oldest
// first, each line with its state as it reads on the confirmation. It follows the outbox as it sends.
// A waiting order can be taken back into order entry to be changed (when no other order is being
// entered); any order not going out now can be removed, after asking, and the question points to the
// order query when a line may already have been placed.
#include "model/OutboxDocument.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <QColor>

class OutboxViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One row per line, grouped by order: orderIndex, first (the order's header shows above it: its
    // customerText, kindText, timeText), last (the order's buttons show below it: canChange, canRemove),
    // name, priceText, orderNumberText, allPriceText, stateText, messageText, stateColor.
    Q_PROPERTY(ListModelBase *rows READ rows CONSTANT)
    Q_PROPERTY(bool empty READ isEmpty NOTIFY rowsChanged)

public:
    struct Row {
        QString orderSeq;
        int orderIndex = 0;
        bool first = false;
        bool last = false;
        QString customerText, kindText, timeText;
        bool canChange = false;
        bool canRemove = false;
        QString name, priceText, orderNumberText, allPriceText;
        QString stateText, messageText;
        QColor stateColor;
        friend bool operator==(const Row &, const Row &) = default;
    };

    explicit OutboxViewController(QObject *parent = nullptr);

    ListModelBase *rows() { return &m_rows; }
    QList<Row> shownRows() const { return m_rows.rows(); }
    bool isEmpty() const { return m_rows.size() == 0; }

    void viewDidLoad() override;

    // 修改 on order `orderIndex`: back into order entry, where it stood.
    Q_INVOKABLE void change(int orderIndex);
    // 刪除 on order `orderIndex`: asks first.
    Q_INVOKABLE void remove(int orderIndex);

signals:
    void rowsChanged();

private:
    void reload();
    // An alert with 確定 alone.
    void tell(const QString &title, const QString &message);
    QString orderId(int orderIndex) const;

    RowListModel<Row> m_rows;
    QStringList m_orderIds; // by orderIndex, as shown
};
