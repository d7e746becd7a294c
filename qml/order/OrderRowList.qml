import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The rows of an order page (section 0): title and value or prompt; taps go to the controller.
ColumnLayout {
    id: list
    required property var controller
    spacing: 0

    Repeater {
        model: list.controller.rows
        delegate: ListCell {
            required property var modelData
            required property int index
            objectName: "orderRow_" + modelData.key
            Layout.fillWidth: true
            text: modelData.name
            detailText: modelData.detail
            disclosure: modelData.selectable
            enabled: modelData.hasAction
            onClicked: list.controller.selectRow(0, index)
        }
    }
}
