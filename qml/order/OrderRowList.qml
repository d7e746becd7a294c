import QtQuick
import QtQuick.Layouts
import Zelk

// The rows of an order page (section 0): title and value or prompt; taps go to the controller.
ColumnLayout {
    id: list
    required property OrderPage1ViewController controller
    spacing: 0

    // A row reports its taps through its own signal, connected here as it is added.
    Repeater {
        model: list.controller.rows
        delegate: ListCell {
            id: cell
            required property int index
            required property string key
            required property string name
            required property string detail
            required property bool selectable
            required property bool hasAction
            objectName: "orderRow_" + key
            Layout.fillWidth: true
            text: name
            detailText: detail
            disclosure: selectable
            enabled: hasAction
            signal tappedRow(int row)
            onClicked: cell.tappedRow(cell.index)
        }
        onItemAdded: (index, item) => item.tappedRow.connect(row => list.controller.selectRow(0, row))
    }
}
