#include "app/ViewController.h"

#include "ui/Colors.h"

#include <QVariantMap>

ViewController::ViewController(QObject *parent) : Screen(parent)
{
    m_tiles = {{QStringLiteral("留言版"), QStringLiteral("board")},
               {QStringLiteral("電子下單"), QStringLiteral("createOrder")},
               {QStringLiteral("Push通知"), QStringLiteral("push")},
               {QStringLiteral("訂單查詢"), QStringLiteral("order")},
               {QStringLiteral("發貨管理"), QString()},
               {QStringLiteral("運送GPS查詢"), QStringLiteral("gpsTrace")}};
    m_colors = {Colors::brandRed(), QColor(0, 122, 153), QColor(232, 142, 0), QColor(46, 139, 87),
                Colors::unselectedTab()};
    setBackgroundColor(Colors::background());
}

QVariantList ViewController::tiles() const
{
    QVariantList list;
    for (int i = 0; i < m_tiles.size(); ++i) {
        list.append(QVariantMap{{QStringLiteral("name"), m_tiles[i].name},
                                {QStringLiteral("color"), m_colors[i % m_colors.size()]}});
    }
    return list;
}

void ViewController::viewDidLoad() { setTitle(QStringLiteral("澤勒中國")); }

bool ViewController::respondsTo(int index) const
{
    if (index < 0 || index >= m_tiles.size() || m_tiles[index].function.isEmpty())
        return false;
    return metaObject()->indexOfMethod((m_tiles[index].function.toLatin1() + "()").constData()) >= 0;
}

void ViewController::selectTile(int index)
{
    if (respondsTo(index))
        QMetaObject::invokeMethod(this, m_tiles[index].function.toLatin1().constData());
}
