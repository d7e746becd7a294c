#include "history/OrderHistoryViewController.h"

#include "history/OrderHistoryDetailViewController.h"
#include "model/AppContext.h"
#include "model/JsonRules.h"
#include "picklist/CustomerPickSource.h"
#include "services/ApiStatus.h"
#include "services/Operations.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"
#include "ui/Ui.h"

#include <QJsonArray>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHistory, "zelk.history", QtWarningMsg)

OrderHistoryViewController::OrderHistoryViewController(QObject *parent)
    : Screen(parent),
      m_today([] { return QDate::currentDate(); }),
      m_cells({{"timeLabel", [](const OrderHistroyCell &c) { return c.timeLabel; }},
               {"customerLabel", [](const OrderHistroyCell &c) { return c.customerLabel; }},
               {"itemLabel", [](const OrderHistroyCell &c) { return c.itemLabel; }},
               {"itemOrderNumberLabel", [](const OrderHistroyCell &c) { return c.itemOrderNumberLabel; }},
               {"itemOrderLastLabel", [](const OrderHistroyCell &c) { return c.itemOrderLastLabel; }}})
{
}

void OrderHistoryViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")));
    loadCustomers();

    // The start button shows today and the end button a week ago; the query orders them.
    const QDate today = m_today();
    m_startDateTitle = today.toString(dateFormat());
    m_endDateTitle = today.addDays(-7).toString(dateFormat());
    emit datesChanged();
    runQuery();
}

// ---- customers ----

void OrderHistoryViewController::loadCustomers()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (const auto &held = ctx->lists().customerList()) {
        m_filterCustomerListArray.setCustomers(*held);
        return;
    }
    if (Ui *u = ui())
        u->showSpinner(this);
    ctx->lists().joinClientList(this, [this](bool ok, std::optional<QList<OrderCustomer>> customers) {
        if (ok) {
            // The query's answer may have closed the spinner first, and the picker opened empty.
            offerCustomers(customers.value_or(QList<OrderCustomer>()));
        } else if (!presentedScreen() || presentedScreen() == m_selectDataViewController) {
            // Said over this screen's own picker too: else it stands empty without a word.
            showAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得客戶資料")), localized(QT_TRANSLATE_NOOP("Zelk", "請稍候在試")));
        }
        if (Ui *u = ui())
            u->dismissSpinner();
    });
}

bool OrderHistoryViewController::queryTypeInfoTextFieldShouldBeginEditing()
{
    if (m_queryType != 0)
        return true;
    showCustomerPicker();
    return false;
}

void OrderHistoryViewController::showCustomerPicker()
{
    if (m_selectDataViewController)
        return; // already open
    auto *picker = SelectDataViewController::instantiate(storyboard());
    if (!picker)
        picker = new SelectDataViewController;
    m_filterCustomerListArray.showAll();
    picker->setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "選擇客戶")));
    picker->setDelegate(this);
    picker->setShowReload(true);
    connect(picker, &SelectDataViewController::chosen, this, &OrderHistoryViewController::customerChosen);
    m_selectDataViewController = picker;
    // The picker covers the tab screen when this screen is inside one that is free to present.
    Screen *host = tabBarController();
    if (!host || host->presentedScreen())
        host = this;
    host->present(picker, true);
}

void OrderHistoryViewController::customerChosen(int row)
{
    const OrderCustomer *chosen = m_filterCustomerListArray.customerAt(row);
    if (!chosen)
        return;
    m_queryCustomer = *chosen;
    setQueryTypeInfoText(customerFieldText(m_queryCustomer));
}

QString OrderHistoryViewController::customerFieldText(const OrderCustomer &customer)
{
    if (customer.name1.isEmpty())
        return QString();
    return customer.name1 + QLatin1Char('(') + customer.kunnr + QLatin1Char(')');
}

int OrderHistoryViewController::selectDataCount()
{
    return m_filterCustomerListArray.count();
}

SelectDataTexts OrderHistoryViewController::selectDataTexts(int row)
{
    return m_filterCustomerListArray.texts(row);
}

void OrderHistoryViewController::selectDataSearch(SelectDataViewController *pickList, const QString &text)
{
    m_filterCustomerListArray.search(text);
    if (!text.isEmpty())
        pickList->setShowsCancelButton(true);
    pickList->reloadData();
}

void OrderHistoryViewController::selectDataCancelSearch(SelectDataViewController *pickList)
{
    m_filterCustomerListArray.showAll();
    pickList->reloadData();
}

void OrderHistoryViewController::selectDataReload()
{
    AppContext *ctx = context();
    if (!ctx)
        return;
    if (Ui *u = ui())
        u->showSpinner(this);
    ctx->lists().clientList(this, [this](bool ok, std::optional<QList<OrderCustomer>> customers) {
        if (Ui *u = ui())
            u->dismissSpinner();
        if (!ok) {
            showAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法取得客戶資料")), localized(QT_TRANSLATE_NOOP("Zelk", "請稍候在試")));
            return;
        }
        offerCustomers(customers.value_or(QList<OrderCustomer>()));
    });
}

void OrderHistoryViewController::offerCustomers(const QList<OrderCustomer> &customers)
{
    m_filterCustomerListArray.setCustomers(customers);
    if (SelectDataViewController *picker = m_selectDataViewController) {
        picker->clearSearchText();
        picker->reloadData();
    }
}

// ---- query type and text field ----

void OrderHistoryViewController::changeTypeAction(int segment)
{
    if (segment != 0 && segment != 1)
        return;
    if (m_queryType != segment) {
        m_queryType = segment;
        emit queryTypeChanged();
    }
    if (segment == 1) {
        setQueryTypeInfoText(m_queryOrderNo);
        emit queryTypeInfoTextFieldFocusRequested();
    } else {
        // The field shows the customer that a query by customer sends, never a typed order number.
        setQueryTypeInfoText(customerFieldText(m_queryCustomer));
        dismissKeyboard();
        showCustomerPicker();
    }
}

void OrderHistoryViewController::queryTypeInfoTextEdited(const QString &text)
{
    if (m_queryType == 1)
        setQueryTypeInfoText(text);
}

void OrderHistoryViewController::setQueryTypeInfoText(const QString &text)
{
    if (m_queryTypeInfoText == text)
        return;
    m_queryTypeInfoText = text;
    emit queryTypeInfoTextChanged();
}

// ---- dates ----

void OrderHistoryViewController::changeStartDateAction()
{
    chooseDate(true);
}

void OrderHistoryViewController::changeEndDateAction()
{
    chooseDate(false);
}

void OrderHistoryViewController::chooseDate(bool start)
{
    Ui *u = ui();
    if (!u)
        return;
    DatePicker picker;
    picker.title = localized(QT_TRANSLATE_NOOP("Zelk", "查詢時間"));
    picker.initialDate = QDate::fromString(start ? m_startDateTitle : m_endDateTitle, dateFormat());
    picker.maximumDate = m_today();
    picker.context = this;
    picker.done = [this, start](const QDate &date) {
        if (!date.isValid())
            return;
        (start ? m_startDateTitle : m_endDateTitle) = date.toString(dateFormat());
        emit datesChanged();
    };
    u->showDatePicker(picker);
}

bool OrderHistoryViewController::isWithinOneMonth(const QDate &a, const QDate &b)
{
    const QDate from = std::min(a, b);
    const QDate to = std::max(a, b);
    // Whole calendar months from the earlier date; days left over do not count.
    int months = (to.year() - from.year()) * 12 + (to.month() - from.month());
    if (from.addMonths(months) > to)
        --months;
    return months <= 1;
}

// ---- query ----

void OrderHistoryViewController::queryAction()
{
    const QDate start = QDate::fromString(m_startDateTitle, dateFormat());
    const QDate end = QDate::fromString(m_endDateTitle, dateFormat());
    if (!start.isValid() || !end.isValid())
        return;
    if (!isWithinOneMonth(start, end)) {
        showAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法查詢超過1個月")), localized(QT_TRANSLATE_NOOP("Zelk", "請重新選擇時間區間")));
        return;
    }
    runQuery();
}

void OrderHistoryViewController::runQuery()
{
    const QDate start = QDate::fromString(m_startDateTitle, dateFormat());
    const QDate end = QDate::fromString(m_endDateTitle, dateFormat());
    AppContext *ctx = context();
    if (!start.isValid() || !end.isValid() || !ctx)
        return;
    if (Ui *u = ui())
        u->showSpinner(this);

    Operations::OrderQuery query;
    query.userId = ctx->userId();
    query.bukrs = ctx->userInfo().bukrs;
    query.werks = ctx->userInfo().vkorg; // the sales organisation goes as the plant
    query.from = start;
    query.to = end;
    if (!m_queryTypeInfoText.isEmpty()) {
        if (m_queryType == 0)
            query.kunnr = m_queryCustomer.kunnr;
        else
            query.vbeln = m_queryTypeInfoText;
    }

    // The orders and their rows are built on a worker thread; a later query's answer replaces an earlier one.
    using Rows = std::pair<QList<OrderHistroy>, QList<OrderHistroyCell>>;
    ctx->operations().ZSD_QUERY_ORDER<Rows>(
        query, this,
        [](const ApiStatus &status) {
            Rows rows;
            if (status.isSuccess && status.returnJson) {
                rows.first = parseList<OrderHistroy>(status.returnJson->object(), QStringLiteral("orderList"));
                rows.second.reserve(rows.first.size());
                for (const OrderHistroy &record : std::as_const(rows.first))
                    rows.second.append(OrderHistroyCell::from(record));
            }
            return rows;
        },
        [this](const ApiStatus &status, Rows rows) {
            if (status.isSuccess && status.returnJson) {
                setTableArray(std::move(rows.first), std::move(rows.second));
                qCDebug(lcHistory) << "tableArray: " << m_tableArray.size() << "rows";
            } else {
                showAlert(localized(QT_TRANSLATE_NOOP("Zelk", "無法查詢訂單")), status.message);
            }
            if (Ui *u = ui())
                u->dismissSpinner();
        });
}

QString OrderHistoryViewController::queryTypeInfoPlaceholder() const
{
    return m_queryType == 0 ? localized(QT_TRANSLATE_NOOP("Zelk", "請選擇客戶")) : localized(QT_TRANSLATE_NOOP("Zelk", "請輸入訂單編號"));
}

void OrderHistoryViewController::setTableArray(QList<OrderHistroy> records, QList<OrderHistroyCell> cells)
{
    m_tableArray = std::move(records);
    m_cells.setRows(std::move(cells));
    emit tableArrayChanged();
}

void OrderHistoryViewController::didSelectRow(int row)
{
    if (row < 0 || row >= m_tableArray.size())
        return;
    NavigationController *nav = navigationController();
    Storyboard *board = storyboard();
    if (!nav || !board)
        return;
    auto *detail = board->instantiate<OrderHistoryDetailViewController>(Scene::OrderHistoryDetail);
    if (!detail)
        return;
    detail->setOrderHistory(m_tableArray.at(row));
    nav->push(detail, true);
}

void OrderHistoryViewController::showAlert(const QString &title, const QString &message)
{
    Ui *u = ui();
    if (!u)
        return;
    Alert alert;
    alert.title = title;
    alert.message = message;
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel);
    u->showAlert(alert);
}
