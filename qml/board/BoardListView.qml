pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// The message boards: one row per board, pull down to refresh.
Item {
    id: view
    required property BoardListViewController controller

    ListView {
        id: list
        objectName: "boardList"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        boundsBehavior: Flickable.DragOverBounds
        delegate: ListCell {
            id: cell
            required property string boardName
            required property int index
            objectName: "boardCell_" + index
            width: ListView.view.width
            text: boardName
            onClicked: view.controller.selectRow(cell.index)
        }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
}
