#pragma once
// Finds the QML view of a controller from its class name: "OrderPage1ViewController" is drawn by
// "OrderPage1View.qml" in one of the folders of the QML module ("qrc:/Zelk/qml/order/OrderPage1View.qml").
#include <QString>
#include <QUrl>

class ViewLocator
{
public:
    // "OrderPage1ViewController" → "OrderPage1View.qml"; "CartController" → "CartView.qml".
    static QString viewFileName(const QString &className);
    // The view inside the module's resources, or an empty URL when there is none.
    static QUrl urlForClass(const QString &className);
    // An image of the app's resources by name ("shopping_cart" → "qrc:/Zelk/resources/shopping_cart.png");
    // a name that already is a URL or a resource path is returned as a URL. Empty when not found.
    static QUrl imageUrl(const QString &name);
    // Root folder of the module's QML files in the resources.
    static QString qmlRoot() { return QStringLiteral(":/Zelk/qml"); }
};
