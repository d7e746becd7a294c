#pragma once
// The first screen of a contract order, inside the slide-menu container whose right panel is the cart:
// the customer and the credit, then one row per valid contract of the customer. Choosing a contract
// opens its materials (ItemsViewController) with an order for that contract under a fresh identity, made
// from the draft's customer.
// The credit is queried first (only while it is still 0); a failed query or contract list offers a
// retry and the way out, since there is no screen to go back to.
#include "model/Order.h"
#include "services/ServiceTypes.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

class ContractViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString customNameText READ customNameText NOTIFY customNameTextChanged)
    Q_PROPERTY(QString creditsText READ creditsText NOTIFY creditsTextChanged)
    // One row per contract, roles mainText (order-type name, a line break, the type) and vbeln (the
    // contract number, the row's detail).
    Q_PROPERTY(ListModelBase *contracts READ contractRows CONSTANT)

public:
    explicit ContractViewController(QObject *parent = nullptr);

    QList<Contract2> contractsArray() const { return m_contractsArray; }
    const QList<Contract2> &filterContractsArray() const { return m_contractRows.rows(); }
    ListModelBase *contractRows() { return &m_contractRows; }
    QString customNameText() const { return m_customNameText; }
    // The customer's credit text (CustomerStruct's), once the screen has loaded.
    QString creditsText() const;

    void viewDidLoad() override;
    void viewDidLayoutSubviews() override;
    void viewDidAppear(bool animated) override;

    // Opens the materials of the contract in `row`.
    Q_INVOKABLE void selectRow(int row);
    // The cancel bar button: leaves at once with an empty cart, else asks first; either way the draft goes.
    Q_INVOKABLE void closeAction();
    Q_INVOKABLE void filterAction();

    // One line per contract number, in the order of first appearance, each the contract's first line
    // with otName from the first order type whose otCode is its auart.
    static QList<Contract2> contractsOnce(const QList<Contract2> &lines, const QList<OrderType> &orderTypes);

signals:
    void customNameTextChanged();
    void creditsTextChanged();

private:
    void queryCredit();
    void queryContracts();
    void contractsReply(const ApiStatus &status);
    // A failed query: its message, "重試" runs `retry`, "確定" leaves the contract order.
    void failureAlert(const QString &title, const QString &message, void (ContractViewController::*retry)());
    void leave();

    QList<Contract2> m_contractsArray;
    RowListModel<Contract2> m_contractRows;
    bool m_showsCredit = false;
    QString m_customNameText;
};
