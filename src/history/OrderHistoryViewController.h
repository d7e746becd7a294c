#pragma once
// The order query: orders placed in a date range, optionally for one customer (picked from the
// searchable pick list) or one order number, as ZSD_QUERY_ORDER reports them. A row opens the detail.
//
// The two date buttons hold the range as their titles ("yyyy/MM/dd"), in either order; a range of more
// than one whole calendar month is refused. Opening the screen runs the query for the last seven days.
#include "history/OrderHistroyCell.h"
#include "model/MasterData.h"
#include "model/OrderStatus.h"
#include "picklist/CustomerPickSource.h"
#include "picklist/SelectDataViewController.h"
#include "ui/ListModel.h"
#include "ui/Screen.h"

#include <QDate>

#include <functional>

class OrderHistoryViewController : public Screen, public SelectDataViewDelegate
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    Q_PROPERTY(QString startDateTitle READ startDateTitle NOTIFY datesChanged)
    Q_PROPERTY(QString endDateTitle READ endDateTitle NOTIFY datesChanged)
    // 0: by customer, 1: by order number.
    Q_PROPERTY(int queryType READ queryType NOTIFY queryTypeChanged)
    Q_PROPERTY(QString queryTypeInfoText READ queryTypeInfoText NOTIFY queryTypeInfoTextChanged)
    // The text field: what it asks for when empty, whether it takes typing (by order number) or opens
    // the customer picker when tapped (by customer), and whether its keyboard prefers digits.
    Q_PROPERTY(QString queryTypeInfoPlaceholder READ queryTypeInfoPlaceholder NOTIFY queryTypeChanged)
    Q_PROPERTY(bool queryTypeInfoReadOnly READ queryTypeInfoReadOnly NOTIFY queryTypeChanged)
    Q_PROPERTY(bool queryTypeInfoNumeric READ queryTypeInfoNumeric NOTIFY queryTypeChanged)
    // One row per order found (OrderHistroyCell's texts as roles), in the order the server lists them.
    Q_PROPERTY(ListModelBase *cells READ cells CONSTANT)

public:
    static QString dateFormat() { return QStringLiteral("yyyy/MM/dd"); }

    explicit OrderHistoryViewController(QObject *parent = nullptr);

    // The day the screen takes as today (tests fix it); the system date by default.
    void setTodayProvider(std::function<QDate()> today) { m_today = std::move(today); }

    QString startDateTitle() const { return m_startDateTitle; }
    QString endDateTitle() const { return m_endDateTitle; }
    int queryType() const { return m_queryType; }
    QString queryTypeInfoText() const { return m_queryTypeInfoText; }
    QString queryTypeInfoPlaceholder() const;
    bool queryTypeInfoReadOnly() const { return m_queryType == 0; }
    bool queryTypeInfoNumeric() const { return m_queryType == 1; }
    ListModelBase *cells() { return &m_cells; }
    const RowListModel<OrderHistroyCell> &cellRows() const { return m_cells; }
    OrderCustomer queryCustomer() const { return m_queryCustomer; }
    // The customers offered now.
    const CustomerPickSource &filterCustomerListArray() const { return m_filterCustomerListArray; }
    QList<OrderHistroy> tableArray() const { return m_tableArray; }
    SelectDataViewController *selectDataViewController() const { return m_selectDataViewController; }

    // Whether the range between the two dates, in either order, is at most one whole calendar month
    // (one month and 28 days passes, two months do not).
    static bool isWithinOneMonth(const QDate &a, const QDate &b);

    // ---- view actions ----
    Q_INVOKABLE void changeStartDateAction();
    Q_INVOKABLE void changeEndDateAction();
    Q_INVOKABLE void changeTypeAction(int segment);
    // The text field was tapped: by customer it opens the picker and does not edit (false).
    Q_INVOKABLE bool queryTypeInfoTextFieldShouldBeginEditing();
    // The user typed into the text field (by order number).
    Q_INVOKABLE void queryTypeInfoTextEdited(const QString &text);
    Q_INVOKABLE void queryAction();
    Q_INVOKABLE void didSelectRow(int row);

    void viewDidLoad() override;

    // ---- SelectDataViewDelegate: the customer picker ----
    int selectDataCount() override;
    SelectDataTexts selectDataTexts(int row) override;
    void selectDataSearch(SelectDataViewController *pickList, const QString &text) override;
    void selectDataCancelSearch(SelectDataViewController *pickList) override;
    void selectDataReload() override;

signals:
    void datesChanged();
    void queryTypeChanged();
    void queryTypeInfoTextChanged();
    void tableArrayChanged();
    // The text field should take the keyboard (switching to the order number).
    void queryTypeInfoTextFieldFocusRequested();

private:
    void loadCustomers();
    // The customers the picker offers from now on; an open picker shows them at once, its search cleared.
    void offerCustomers(const QList<OrderCustomer> &customers);
    void showCustomerPicker();
    void customerChosen(int row);
    void runQuery();
    void setTableArray(QList<OrderHistroy> records, QList<OrderHistroyCell> cells);
    void chooseDate(bool start);
    void setQueryTypeInfoText(const QString &text);
    void showAlert(const QString &title, const QString &message);
    static QString customerFieldText(const OrderCustomer &customer);

    std::function<QDate()> m_today;
    QString m_startDateTitle;
    QString m_endDateTitle;
    int m_queryType = 0;
    QString m_queryTypeInfoText;
    OrderCustomer m_queryCustomer;
    QString m_queryOrderNo;
    QPointer<SelectDataViewController> m_selectDataViewController;
    // Every customer the picker can offer and those its search selects.
    CustomerPickSource m_filterCustomerListArray{CustomerPickSource::Layout::NumberThenName};
    QList<OrderHistroy> m_tableArray;
    RowListModel<OrderHistroyCell> m_cells;
};
