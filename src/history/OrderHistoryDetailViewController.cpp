#include "history/OrderHistoryDetailViewController.h"

#include "model/NumberText.h"
#include "text/Localizer.h"

OrderHistoryDetailViewController::OrderHistoryDetailViewController(QObject *parent)
    : Screen(parent),
      m_rows({{"label", [](const OrderHistoryDetailRow &r) { return r.label; }},
              {"value", [](const OrderHistoryDetailRow &r) { return r.value; }}})
{
}

void OrderHistoryDetailViewController::viewDidLoad()
{
    setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "訂單查詢")));
    buildRows();
}

QString OrderHistoryDetailViewController::priceText(float cmpre)
{
    const QString money = moneyText(cmpre);
    return money.isEmpty() ? numberText(cmpre) : money;
}

void OrderHistoryDetailViewController::buildRows()
{
    const OrderHistroy &o = m_orderHistory;
    QList<OrderHistoryDetailRow> rows;
    const auto add = [&rows](const char *label, const QString &value) {
        rows.append({localized(QString::fromUtf8(label)), value, std::nullopt});
    };
    add(QT_TRANSLATE_NOOP("Zelk", "開單日期"), o.audat);
    add(QT_TRANSLATE_NOOP("Zelk", "訂單編號"), o.vbeln);
    add(QT_TRANSLATE_NOOP("Zelk", "營業所名稱"), o.name2);
    add(QT_TRANSLATE_NOOP("Zelk", "客戶名稱"), o.name3);
    add(QT_TRANSLATE_NOOP("Zelk", "客戶代號"), o.kunnr);
    add(QT_TRANSLATE_NOOP("Zelk", "品項"), o.arktx);
    add(QT_TRANSLATE_NOOP("Zelk", "單價"), priceText(o.cmpre));
    add(QT_TRANSLATE_NOOP("Zelk", "開單數量"), numberText(o.kwmeng));
    add(QT_TRANSLATE_NOOP("Zelk", "已發數量"), numberText(o.fkimg));
    add(QT_TRANSLATE_NOOP("Zelk", "剩餘數量"), numberText(o.fkimg1));
    m_rows.setRows(rows);
}
