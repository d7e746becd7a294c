#include "order/EditOrderViewController.h"

#include "model/AppContext.h"
#include "model/NumberText.h"
#include "order/CustomerCredit.h"
#include "order/EnterNewAmountViewController.h"
#include "order/NumericField.h"
#include "order/OrderEntryRules.h"
#include "text/Localizer.h"
#include "ui/Storyboard.h"
#include "ui/Ui.h"

namespace {
constexpr int kRemarkMaxLength = 15;

QString yuan(const QString &amount) { return localized(QT_TRANSLATE_NOOP("Zelk", "¥")) + amount; }
} // namespace

EditOrderViewController::EditOrderViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"key", [](const EditOrderRow &r) { return QVariant(r.key); }},
              {"name", [](const EditOrderRow &r) { return QVariant(r.name); }},
              {"value", [](const EditOrderRow &r) { return QVariant(r.value); }},
              {"editable", [](const EditOrderRow &r) { return QVariant(r.editType != EditType::none); }}},
             this)
{
    updateTitle();
}

EditOrderViewController *EditOrderViewController::forDisplay(Storyboard *storyboard, const OrderConfirm &line)
{
    if (!storyboard)
        return nullptr;
    auto *screen = storyboard->instantiate<EditOrderViewController>(Scene::EditOrder);
    if (screen)
        screen->showOrderConfirm(line);
    return screen;
}

void EditOrderViewController::setOrder(const Order &order)
{
    m_displayType = DisplayType::edit;
    m_orderConfirm.reset();
    m_order = order;
    m_countedValue = CustomerCredit::orderValue(order);
    updateTitle();
    buildRows();
    emit displayTypeChanged();
    emit orderChanged();
}

void EditOrderViewController::showOrderConfirm(const OrderConfirm &line)
{
    m_displayType = DisplayType::display;
    m_orderConfirm = line;
    updateTitle();
    buildRows();
    if (isViewLoaded())
        setLeftBarButtons({});
    emit displayTypeChanged();
    emit orderChanged();
}

void EditOrderViewController::updateTitle()
{
    setTitle(localized(isDisplayMode() ? QT_TRANSLATE_NOOP("Zelk", "訂單資訊") : QT_TRANSLATE_NOOP("Zelk", "訂單編輯")));
}

void EditOrderViewController::viewDidLoad()
{
    updateTitle();
    if (!isDisplayMode())
        setLeftBarButtons({BarButton{localized(QT_TRANSLATE_NOOP("Zelk", "取消")), QString(), QStringLiteral("cancelBarButton"),
                                     [this] { close(); }}});
}

QString EditOrderViewController::copyCountText() const
{
    if (isDisplayMode() || m_order.orderPage < 2)
        return QString();
    return localized(QT_TRANSLATE_NOOP("Zelk", "複製訂單總數  × ")) + QString::number(m_order.orderPage);
}

void EditOrderViewController::buildRows()
{
    QList<EditOrderRow> rows;
    if (m_orderConfirm) {
        const OrderConfirm &c = *m_orderConfirm;
        const float amount = CartState::wholeFloat(c.kwmeng).value_or(0.0f) * CartState::wholeFloat(c.kbetr).value_or(0.0f);
        rows = {{QStringLiteral("sapOrderNo"), localized(QT_TRANSLATE_NOOP("Zelk", "訂單編號")), c.sapOrderNo},
                {QStringLiteral("kunweName"), localized(QT_TRANSLATE_NOOP("Zelk", "客戶")), c.kunweName},
                {QStringLiteral("matnr"), localized(QT_TRANSLATE_NOOP("Zelk", "物料編號")), c.matnr},
                {QStringLiteral("maktx"), localized(QT_TRANSLATE_NOOP("Zelk", "物料名稱")), c.matnrName},
                {QStringLiteral("transName"), localized(QT_TRANSLATE_NOOP("Zelk", "車船別")), c.bstkd},
                {QStringLiteral("bezei"), localized(QT_TRANSLATE_NOOP("Zelk", "交貨方式")), c.inco1bezei},
                {QStringLiteral("orderNumber"), localized(QT_TRANSLATE_NOOP("Zelk", "下單數量")), c.kwmeng},
                {QStringLiteral("price"), localized(QT_TRANSLATE_NOOP("Zelk", "單位價錢(含稅)")), yuan(c.kbetr)},
                {QStringLiteral("total"), localized(QT_TRANSLATE_NOOP("Zelk", "合計")), yuan(numberText(amount))}};
    } else {
        const Order &o = m_order;
        rows = {{QStringLiteral("vbeln"), localized(QT_TRANSLATE_NOOP("Zelk", "合同編號")), o.contract2.vbeln},
                {QStringLiteral("matnr"), localized(QT_TRANSLATE_NOOP("Zelk", "物料編號")), o.orderItem.matnr},
                // The line's own material, not the contract's first one.
                {QStringLiteral("maktx"), localized(QT_TRANSLATE_NOOP("Zelk", "物料名稱")), o.orderItem.maktx},
                {QStringLiteral("transName"), localized(QT_TRANSLATE_NOOP("Zelk", "車船別")), o.transport.transName, EditType::choice},
                {QStringLiteral("remark"), localized(QT_TRANSLATE_NOOP("Zelk", "車船別(備註)")), o.transportRemark, EditType::enter},
                {QStringLiteral("bezei"), localized(QT_TRANSLATE_NOOP("Zelk", "交貨方式")), o.inco1.bezei, EditType::enter},
                {QStringLiteral("orderNumber"), localized(QT_TRANSLATE_NOOP("Zelk", "下單數量")), numberText(o.orderItem.orderNumber), EditType::enter},
                {QStringLiteral("price"), localized(QT_TRANSLATE_NOOP("Zelk", "單位價錢(含稅)")), yuan(numberText(o.orderItem.price)), EditType::enter},
                {QStringLiteral("total"), localized(QT_TRANSLATE_NOOP("Zelk", "合計")), yuan(numberText(o.orderItem.price * o.orderItem.orderNumber))}};
    }
    m_rows.setRows(rows);
}

void EditOrderViewController::changeOrder(const Order &order)
{
    m_order = order;
    buildRows();
    emit orderChanged();
}

void EditOrderViewController::selectRow(int row)
{
    if (isDisplayMode() || row < 0 || row >= m_rows.size())
        return;
    const QString key = m_rows.at(row).key;
    if (key == QLatin1String("transName"))
        editTransName();
    else if (key == QLatin1String("remark"))
        editTransNameRemark();
    else if (key == QLatin1String("bezei"))
        editBezei();
    else if (key == QLatin1String("orderNumber"))
        editOrderNumber();
    else if (key == QLatin1String("price"))
        editKbetr();
}

// ---- row actions ----

void EditOrderViewController::editTransName()
{
    if (isDisplayMode())
        return;
    withLists({QStringLiteral("transportList")}, [this] {
        const QList<Transport> kinds = context()->lists().transportList().value_or(QList<Transport>());
        QStringList names;
        for (const Transport &kind : kinds)
            names << kind.transName;
        showListPicker(localized(QT_TRANSLATE_NOOP("Zelk", "選擇車船別")), names, m_order.transport.transName,
                       [this, kinds](int row) {
                           if (row < 0 || row >= kinds.size())
                               return;
                           Order order = m_order;
                           order.transport = kinds.at(row);
                           changeOrder(order);
                       });
    });
}

void EditOrderViewController::editTransNameRemark()
{
    Ui *u = ui();
    if (!u || isDisplayMode())
        return;
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入車船別備註"));
    AlertTextField field;
    field.text = m_order.transportRemark;
    field.filter = [](const QString &current, const TextEdit &edit) {
        return lengthLimitAccepts(current, edit, kRemarkMaxLength);
    };
    alert.addField(field);
    alert.addButton(localized(QT_TRANSLATE_NOOP("Zelk", "取消")), AlertButton::Style::Cancel);
    alert.addButton(AlertButton::withFields(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Default,
                                            [this](const QStringList &texts) {
                                                if (texts.isEmpty())
                                                    return;
                                                Order order = m_order;
                                                // A pasted text longer than the field allows is cut.
                                                order.transportRemark = texts.first().left(kRemarkMaxLength);
                                                changeOrder(order);
                                            }));
    u->showAlert(alert);
}

void EditOrderViewController::editBezei()
{
    if (isDisplayMode())
        return;
    withLists({QStringLiteral("inco1List")}, [this] {
        const QList<Inco1> methods = context()->lists().inco1List().value_or(QList<Inco1>());
        qCDebug(lcOrder) << "get info1List" << methods.size();
        QStringList names;
        for (const Inco1 &method : methods)
            names << method.bezei;
        showListPicker(localized(QT_TRANSLATE_NOOP("Zelk", "選擇交貨方式")), names, m_order.orderItem.inco1Bezei,
                       [this, methods](int row) {
                           if (row < 0 || row >= methods.size())
                               return;
                           Order order = m_order;
                           // The line's method and the one the submission sends are the same.
                           order.orderItem.inco1 = methods.at(row).inco1;
                           order.orderItem.inco1Bezei = methods.at(row).bezei;
                           order.inco1 = methods.at(row);
                           changeOrder(order);
                       });
    });
}

void EditOrderViewController::editOrderNumber()
{
    Ui *u = ui();
    if (!u || isDisplayMode())
        return;
    Alert alert;
    alert.context = this;
    alert.title = localized(QT_TRANSLATE_NOOP("Zelk", "請輸入下單數量"));
    AlertTextField field;
    field.text = numberText(m_order.orderItem.orderNumber);
    field.keyboard = AlertTextField::Keyboard::Decimal;
    field.filter = numericFieldAccepts;
    alert.addField(field);
    alert.addButton(AlertButton::withFields(localized(QT_TRANSLATE_NOOP("Zelk", "確定")), AlertButton::Style::Cancel,
                                            [this](const QStringList &texts) { applyQuantity(texts.value(0)); }));
    u->showAlert(alert);
}

void EditOrderViewController::applyQuantity(const QString &text)
{
    const std::optional<float> quantity = CartState::wholeFloat(text);
    if (!quantity) {
        alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "無法辨識數字")), localized(QT_TRANSLATE_NOOP("Zelk", "請輸入數字")));
        return;
    }
    if (const QString refusal = quantityRefusal(*quantity, m_order.orderItem.zmeng); !refusal.isEmpty()) {
        alertWithTitle(refusal);
        return;
    }
    Order order = m_order;
    order.orderItem.orderNumber = *quantity;
    if (creditAllows(order))
        changeOrder(order);
}

void EditOrderViewController::editKbetr()
{
    Storyboard *board = storyboard();
    if (!board || isDisplayMode() || presentedScreen())
        return;
    auto *entry = board->instantiate<EnterNewAmountViewController>(Scene::EnterNewAmount);
    if (!entry)
        return;
    entry->setDefaultAmount(m_order.orderItem.kbetr);
    entry->setNowAmount(m_order.orderItem.price);
    connect(entry, &EnterNewAmountViewController::amountEntered, this, &EditOrderViewController::applyPrice);
    present(entry, true);
}

void EditOrderViewController::applyPrice(float price)
{
    Order order = m_order;
    order.orderItem.price = price;
    // A higher price raises the line's value like a larger quantity does.
    if (creditAllows(order))
        changeOrder(order);
}

void EditOrderViewController::copyOrderAction()
{
    Ui *u = ui();
    if (!u || isDisplayMode())
        return;
    u->showPicker(copiesPicker(this, m_order.orderPage, [this](int pages) { applyCopies(pages); }));
}

void EditOrderViewController::applyCopies(int pages)
{
    if (pages < 1 || pages > 30)
        return;
    Order order = m_order;
    order.orderPage = pages;
    if (creditAllows(order))
        changeOrder(order);
}

bool EditOrderViewController::creditAllows(const Order &changed)
{
    AppContext *ctx = context();
    if (ctx && CustomerCredit::canHoldOrder(ctx->customerStruct(), m_countedValue, changed))
        return true;
    alertWithTitle(localized(QT_TRANSLATE_NOOP("Zelk", "已超過信用額度，無法在下單")));
    return false;
}

// ---- leaving ----

void EditOrderViewController::saveEditAction()
{
    if (isDisplayMode() || m_saved || isBeingDismissed())
        return;
    m_saved = true; // a second tap while closing must not hand the order back twice
    const QString orderSeq = m_order.orderSeq;
    const Order order = m_order;
    dismiss(true, [this, orderSeq, order] { emit editOrderDone(orderSeq, order); });
}

void EditOrderViewController::close()
{
    if (isDisplayMode())
        return;
    dismiss(true);
}
