#include "ui/ViewLocator.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QHash>

QString ViewLocator::viewFileName(const QString &className)
{
    QString base = className.section(QStringLiteral("::"), -1);
    if (base.endsWith(QLatin1String("ViewController")))
        base.chop(int(qstrlen("Controller")));
    else if (base.endsWith(QLatin1String("Controller")))
        base = base.left(base.size() - int(qstrlen("Controller"))) + QStringLiteral("View");
    else if (!base.endsWith(QLatin1String("View")))
        base += QStringLiteral("View");
    return base + QStringLiteral(".qml");
}

QUrl ViewLocator::urlForClass(const QString &className)
{
    // The resource tree does not change while the process runs, so one answer per class is kept.
    static QHash<QString, QUrl> cache;
    const auto found = cache.constFind(className);
    if (found != cache.constEnd())
        return *found;
    const QString fileName = viewFileName(className);
    QUrl url;
    QDirIterator it(qmlRoot(), {fileName}, QDir::Files, QDirIterator::Subdirectories);
    if (it.hasNext()) {
        const QString path = it.next(); // ":/Zelk/qml/order/OrderPage1View.qml"
        url = QUrl(QStringLiteral("qrc") + path);
    }
    cache.insert(className, url);
    return url;
}

QUrl ViewLocator::imageUrl(const QString &name)
{
    if (name.isEmpty())
        return {};
    if (name.startsWith(QLatin1String("qrc:")) || name.startsWith(QLatin1String("file:")))
        return QUrl(name);
    if (name.startsWith(QLatin1Char(':')))
        return QUrl(QStringLiteral("qrc") + name);
    for (const char *suffix : {".png", ".svg", ".jpg", ""}) {
        const QString path = QStringLiteral(":/Zelk/resources/") + name + QLatin1String(suffix);
        if (QFileInfo::exists(path))
            return QUrl(QStringLiteral("qrc") + path);
    }
    return {};
}
