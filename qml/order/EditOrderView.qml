pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// A cart line being edited (rows with their actions, the copy rows, the save button), or a
// submitted line shown read-only (the rows only).
Item {
    id: view
    required property EditOrderViewController controller

    Flickable {
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: saveButton.visible ? saveButton.top : parent.bottom; bottomMargin: 8 }
        contentHeight: content.implicitHeight + 40
        clip: true
        ColumnLayout {
            id: content
            width: parent.width
            spacing: 0
            Repeater {
                model: view.controller.rows
                delegate: ListCell {
                    id: cell
                    required property int index
                    required property string key
                    required property string name
                    required property string value
                    required property bool editable
                    objectName: "editRow_" + key
                    Layout.fillWidth: true
                    text: name
                    detailText: value
                    disclosure: editable && !view.controller.displayMode
                    onClicked: view.controller.selectRow(cell.index)
                }
            }
            Item { visible: !view.controller.displayMode; Layout.preferredHeight: 20 }
            ListCell {
                objectName: "copyOrderButton"
                visible: !view.controller.displayMode
                Layout.fillWidth: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "複製訂單"))
                detailText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇份數"))
                disclosure: true
                onClicked: view.controller.copyOrderAction()
            }
            ListCell {
                objectName: "copyCountRow"
                visible: view.controller.copyCountText !== ""
                Layout.fillWidth: true
                text: ""
                detailText: view.controller.copyCountText
            }
        }
    }
    FilledButton {
        id: saveButton
        objectName: "saveButton"
        Accessible.name: text
        visible: !view.controller.displayMode
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 16 }
        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "儲存"))
        Material.accent: Brand.red
        onClicked: view.controller.saveEditAction()
    }
}
