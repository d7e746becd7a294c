#pragma once
// The localisation lookup for QML: `Localized.text("下滑更新資料")` in any view importing Zelk.
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QmlLocalizer : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Localized)
    QML_SINGLETON
public:
    explicit QmlLocalizer(QObject *parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE QString text(const QString &key) const;
};
