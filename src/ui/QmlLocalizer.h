#pragma once
// The localisation lookup for QML: `Localized.text("下滑更新資料")` in any view importing Zelk
// (registered by registerUiTypes(), see UiInstall.h).
#include <QObject>
#include <QString>

class QmlLocalizer : public QObject
{
    Q_OBJECT
public:
    explicit QmlLocalizer(QObject *parent = nullptr) : QObject(parent) {}
    Q_INVOKABLE QString text(const QString &key) const;
};
