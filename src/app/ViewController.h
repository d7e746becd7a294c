#pragma once
// The tile menu: six coloured tiles, two per line. Each tile names an action, but this screen has none
// of them, so a tile selection has no further effect. Registered, reachable from no other screen.
#include "ui/ListModel.h"
#include "ui/Screen.h"

class ViewController : public Screen
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the storyboard")
    // One tile per entry: "name" and "color" (the colours repeat in order).
    Q_PROPERTY(ListModelBase *tiles READ tiles CONSTANT)

public:
    struct Tile {
        QString name;
        QString function;
        QColor color;
        friend bool operator==(const Tile &, const Tile &) = default;
    };

    explicit ViewController(QObject *parent = nullptr);

    QList<Tile> collectionViewArray() const { return m_tiles.rows(); }
    QList<QColor> colorArray() const { return m_colors; }
    ListModelBase *tiles() { return &m_tiles; }

    void viewDidLoad() override;

    // Runs the tile's action when this screen has one of that name.
    Q_INVOKABLE void selectTile(int index);
    // Whether selecting the tile at `index` would run anything.
    bool respondsTo(int index) const;

private:
    QList<QColor> m_colors;
    RowListModel<Tile> m_tiles;
};
