#include "app/ContactUsViewController.h"

#include "text/Localizer.h"
#include "ui/Colors.h"
#include "ui/Ui.h"

ContactUsViewController::ContactUsViewController(QObject *parent)
    : Screen(parent),
      m_entries({{"name", [](const Entry &e) { return e.name; }},
                 {"detail", [](const Entry &e) { return e.detailTitle; }}})
{
    m_entries.setRows({
        {localized(QT_TRANSLATE_NOOP("Zelk", "地址")), localized(QT_TRANSLATE_NOOP("Zelk", "台北市中山區民生東路三段128號9樓"))},
        {localized(QT_TRANSLATE_NOOP("Zelk", "郵編")), QStringLiteral("10480")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "聯繫電話")), QStringLiteral("02-2719-8800")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "傳真")), QStringLiteral("02-2719-8801")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "郵箱")), QStringLiteral("service@zelk-supply.com.tw")},
        {localized(QT_TRANSLATE_NOOP("Zelk", "品質服務電話")), QStringLiteral("0800-021-688")},
    });
}

QColor ContactUsViewController::titleColor() const { return Colors::titleText(); }

void ContactUsViewController::viewDidLoad() { setTitle(localized(QT_TRANSLATE_NOOP("Zelk", "聯絡我們"))); }

void ContactUsViewController::selectRow(int row)
{
    if (row != 2 && row != 5)
        return;
    if (row >= m_entries.size())
        return;
    // A number that does not form a valid address opens nothing.
    const QUrl url(QStringLiteral("tel:") + m_entries.at(row).detailTitle, QUrl::StrictMode);
    if (!url.isValid())
        return;
    if (Ui *u = ui())
        u->openUrl(url);
}
