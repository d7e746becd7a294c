import QtQuick
import QtQuick.Controls
import Zelk

// The message boards: one row per board, pull down to refresh.
Item {
    id: view
    required property var controller

    ListView {
        id: list
        objectName: "boardList"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        boundsBehavior: Flickable.DragOverBounds
        delegate: ListCell {
            required property var modelData
            required property int index
            objectName: "boardCell_" + index
            width: ListView.view.width
            text: modelData
            onClicked: view.controller.selectRow(index)
        }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
}
