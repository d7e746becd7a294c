#include "history/OrderHistoryViewController.h"

#include "history/OrderHistoryDetailViewController.h"
#include "model/AppContext.h"
#include "model/JsonRules.h"
#include "picklist/CustomerPickSource.h"
#include "services/ApiStatus.h"
#include "text/Localizer.h"
#include "ui/NavigationController.h"
#include "ui/Storyboard.h"
#include "ui/TabBarController.h"
#include "ui/Ui.h"

#include <QJsonArray>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHistory, "zelk.history", QtWarningMsg)

namespace {
const QString kStoryboard = QStringLiteral("OrderHistory");
const QString kDetailIdentifier = QStringLiteral("OrderHistoryDetailViewController");
} // namespace

OrderHistoryViewController::OrderHistoryViewController(QObject *parent)
    : Screen(parent), m_today([] { return QDate::currentDate(); })
{
}

void OrderHistoryViewController::viewDidLoad()
{
    setTitle(localized(QStringLiteral("訂單查詢")));
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
        u->showSpinner();
    QPointer<OrderHistoryViewController> self(this);
    ctx->lists().clientList([self](bool ok, std::optional<QList<OrderCustomer>> customers) {
        if (!self)
            return;
        if (ok) {
            self->m_filterCustomerListArray.setCustomers(customers.value_or(QList<OrderCustomer>()));
        } else if (!self->presentedScreen()) {
            self->showAlert(localized(QStringLiteral("無法取得客戶資料")), localized(QStringLiteral("請稍候在試")));
        }
        if (Ui *u = self->ui())
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
    picker->setTitle(localized(QStringLiteral("選擇客戶")));
    picker->setDelegate(this);
    picker->setShowReload(true);
    QPointer<OrderHistoryViewController> self(this);
    picker->setSuccess([self](const SelectDataViewController::IndexPath &path) {
        if (self)
            self->customerChosen(path.row);
    });
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
        u->showSpinner();
    QPointer<OrderHistoryViewController> self(this);
    ctx->lists().clientList([self](bool ok, std::optional<QList<OrderCustomer>> customers) {
        if (!self)
            return;
        if (Ui *u = self->ui())
            u->dismissSpinner();
        if (!ok) {
            self->showAlert(localized(QStringLiteral("無法取得客戶資料")), localized(QStringLiteral("請稍候在試")));
            return;
        }
        self->m_filterCustomerListArray.setCustomers(customers.value_or(QList<OrderCustomer>()));
        if (SelectDataViewController *picker = self->m_selectDataViewController) {
            picker->clearSearchText();
            picker->reloadData();
        }
    });
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
    picker.title = localized(QStringLiteral("查詢時間"));
    picker.initialDate = QDate::fromString(start ? m_startDateTitle : m_endDateTitle, dateFormat());
    picker.maximumDate = m_today();
    QPointer<OrderHistoryViewController> self(this);
    picker.done = [self, start](const QDate &date) {
        if (!self || !date.isValid())
            return;
        (start ? self->m_startDateTitle : self->m_endDateTitle) = date.toString(dateFormat());
        emit self->datesChanged();
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
        showAlert(localized(QStringLiteral("無法查詢超過1個月")), localized(QStringLiteral("請重新選擇時間區間")));
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
        u->showSpinner();

    const bool startFirst = start <= end;
    const QString begdat = startFirst ? m_startDateTitle : m_endDateTitle;
    const QString enddat = startFirst ? m_endDateTitle : m_startDateTitle;

    QJsonObject parameters;
    if (const auto userId = ctx->userId())
        parameters.insert(QStringLiteral("userID"), *userId);
    if (const auto &bukrs = ctx->userInfo().bukrs)
        parameters.insert(QStringLiteral("pBukrs"), *bukrs);
    if (const auto &vkorg = ctx->userInfo().vkorg)
        parameters.insert(QStringLiteral("pWerks"), *vkorg);
    parameters.insert(QStringLiteral("pBegdat"), QString(begdat).remove(QLatin1Char('/')));
    parameters.insert(QStringLiteral("pEnddat"), QString(enddat).remove(QLatin1Char('/')));
    if (!m_queryTypeInfoText.isEmpty()) {
        if (m_queryType == 0)
            parameters.insert(QStringLiteral("pKunnr"), m_queryCustomer.kunnr);
        else
            parameters.insert(QStringLiteral("pVbeln"), m_queryTypeInfoText);
    }

    QPointer<OrderHistoryViewController> self(this);
    ctx->operations().ZSD_QUERY_ORDER(parameters, [self](const ApiStatus &status) {
        if (!self)
            return;
        if (status.isSuccess && status.returnJson) {
            self->m_tableArray = parseList<OrderHistroy>(status.returnJson->object(), QStringLiteral("orderList"));
            emit self->tableArrayChanged();
            qCDebug(lcHistory) << "tableArray: " << self->m_tableArray.size() << "rows";
        } else {
            self->showAlert(localized(QStringLiteral("無法查詢訂單")), status.message);
        }
        if (Ui *u = self->ui())
            u->dismissSpinner();
    });
}

QVariantList OrderHistoryViewController::cellsForView() const
{
    QVariantList cells;
    for (const OrderHistroy &record : m_tableArray)
        cells.append(QVariant::fromValue(OrderHistroyCell::from(record)));
    return cells;
}

void OrderHistoryViewController::didSelectRow(int row)
{
    if (row < 0 || row >= m_tableArray.size())
        return;
    NavigationController *nav = navigationController();
    Storyboard *board = storyboard();
    if (!nav || !board)
        return;
    auto *detail = board->instantiate<OrderHistoryDetailViewController>(kStoryboard, kDetailIdentifier);
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
    alert.addButton(localized(QStringLiteral("確定")), AlertButton::Style::Cancel);
    u->showAlert(alert);
}
