pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// The tile menu: square coloured tiles, two per line.
Item {
    id: view
    required property ViewController controller

    GridView {
        id: grid
        objectName: "tileGrid"
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16 - 10
        anchors.topMargin: 8
        anchors.bottomMargin: 8
        readonly property real side: (view.width - 16 - 16 - 10) / 2
        cellWidth: side + 10
        cellHeight: side + 10
        clip: true
        model: view.controller.tiles
        delegate: ItemDelegate {
            id: tile
            required property string name
            required property color color
            required property int index
            objectName: "tile_" + index
            Accessible.name: name
            width: grid.side
            height: grid.side
            background: Rectangle { color: tile.color; radius: 6; opacity: tile.down ? 0.8 : 1 }
            contentItem: PlainLabel {
                objectName: "nameLabel"
                text: tile.name
                color: "white"
                font.pixelSize: 18
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            onClicked: view.controller.selectTile(tile.index)
        }
    }
}
