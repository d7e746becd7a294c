#include "app/ViewController.h"

#include "ui/Colors.h"

ViewController::ViewController(QObject *parent)
    : Screen(parent),
      m_colors({Colors::brandRed(), QColor(0, 122, 153), QColor(232, 142, 0), QColor(46, 139, 87),
                Colors::unselectedTab()}),
      m_tiles({{"name", [](const Tile &t) { return t.name; }}, {"color", [](const Tile &t) { return t.color; }}})
{
    QList<Tile> tiles = {{QStringLiteral("留言版"), QStringLiteral("board"), {}},
                         {QStringLiteral("電子下單"), QStringLiteral("createOrder"), {}},
                         {QStringLiteral("Push通知"), QStringLiteral("push"), {}},
                         {QStringLiteral("訂單查詢"), QStringLiteral("order"), {}},
                         {QStringLiteral("發貨管理"), QString(), {}},
                         {QStringLiteral("運送GPS查詢"), QStringLiteral("gpsTrace"), {}}};
    for (qsizetype i = 0; i < tiles.size(); ++i)
        tiles[i].color = m_colors[i % m_colors.size()];
    m_tiles.setRows(tiles);
    setBackgroundColor(Colors::background());
}

void ViewController::viewDidLoad() { setTitle(QStringLiteral("澤勒中國")); }

bool ViewController::respondsTo(int index) const
{
    if (index < 0 || index >= m_tiles.size() || m_tiles.at(index).function.isEmpty())
        return false;
    return metaObject()->indexOfMethod((m_tiles.at(index).function.toLatin1() + "()").constData()) >= 0;
}

void ViewController::selectTile(int index)
{
    if (respondsTo(index))
        QMetaObject::invokeMethod(this, m_tiles.at(index).function.toLatin1().constData());
}
