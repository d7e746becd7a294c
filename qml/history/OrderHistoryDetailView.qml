pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// The detail of one queried order: labelled rows.
Item {
    id: view
    required property OrderHistoryDetailViewController controller

    ListView {
        id: tableView
        objectName: "tableView"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        boundsBehavior: Flickable.StopAtBounds
        delegate: ListCell {
            required property string label
            required property string value
            required property int index
            objectName: "detailCell_" + index
            width: ListView.view.width
            text: label
            detailText: value
            focusPolicy: Qt.NoFocus
        }
    }
}
