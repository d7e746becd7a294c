#pragma once
// The tile menu: six coloured tiles, two per line. Each tile names an action, but this screen has none
// of them, so a tile selection has no further effect. Registered, reachable from no other screen.
#include "ui/Screen.h"

#include <QVariantList>

class ViewController : public Screen
{
    Q_OBJECT
    // One tile per entry: {"name", "color"}.
    Q_PROPERTY(QVariantList tiles READ tiles CONSTANT)

public:
    struct Tile {
        QString name;
        QString function;
    };

    explicit ViewController(QObject *parent = nullptr);

    QList<Tile> collectionViewArray() const { return m_tiles; }
    QList<QColor> colorArray() const { return m_colors; }
    QVariantList tiles() const;

    void viewDidLoad() override;

    // Runs the tile's action when this screen has one of that name.
    Q_INVOKABLE void selectTile(int index);
    // Whether selecting the tile at `index` would run anything.
    bool respondsTo(int index) const;

private:
    QList<Tile> m_tiles;
    QList<QColor> m_colors;
};
