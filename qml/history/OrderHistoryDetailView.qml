import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The detail of one queried order: labelled rows.
Item {
    id: view
    required property var controller

    ListView {
        id: tableView
        objectName: "tableView"
        anchors.fill: parent
        clip: true
        model: view.controller.rows
        boundsBehavior: Flickable.StopAtBounds
        delegate: ListCell {
            required property var modelData
            required property int index
            objectName: "detailCell_" + index
            width: ListView.view.width
            text: modelData.label
            detailText: modelData.value
            focusPolicy: Qt.NoFocus
        }
    }
}
