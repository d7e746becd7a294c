#pragma once
// The application's colours for the views, as the QML singleton `Brand` (`Brand.red`), read from
// Colors.h so that they are written once.
#include "ui/Colors.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class BrandColors : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Brand)
    QML_SINGLETON
    Q_PROPERTY(QColor red READ red CONSTANT)
    Q_PROPERTY(QColor background READ background CONSTANT)
    Q_PROPERTY(QColor titleText READ titleText CONSTANT)
    Q_PROPERTY(QColor unselectedTab READ unselectedTab CONSTANT)
    Q_PROPERTY(QColor separator READ separator CONSTANT)
    Q_PROPERTY(QColor secondaryText READ secondaryText CONSTANT)

public:
    using QObject::QObject;
    static QColor red() { return Colors::brandRed(); }
    static QColor background() { return Colors::background(); }
    static QColor titleText() { return Colors::titleText(); }
    static QColor unselectedTab() { return Colors::unselectedTab(); }
    static QColor separator() { return Colors::separator(); }
    static QColor secondaryText() { return Colors::secondaryText(); }
};
