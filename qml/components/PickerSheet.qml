pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The bottom pick list (QmlUi's picker): title, "取消" and "確定", and a wheel of rows.
Popup {
    id: sheet
    required property QmlUi ui
    readonly property bool wanted: ui.pickerId !== 0

    objectName: "pickerSheet"
    modal: true
    closePolicy: Popup.NoAutoClose
    parent: Overlay.overlay
    width: parent ? parent.width : 390
    y: parent ? parent.height - height : 0
    padding: 0
    visible: wanted
    background: Rectangle { color: "white" }


    // The sheet reaches the controls below by id, so its content is built with it, not deferred.
    // qmllint disable deferred-property-id
    contentItem: ColumnLayout {
        spacing: 0
        RowLayout {
            Layout.fillWidth: true
            Button {
                objectName: "pickerCancel"
                Accessible.name: text
                flat: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "取消"))
                Material.foreground: Brand.red
                onClicked: sheet.ui.cancelPicker(sheet.ui.pickerId)
            }
            PlainLabel {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                text: sheet.ui.pickerTitle
                font.weight: Font.DemiBold
                color: Brand.titleText
            }
            Button {
                objectName: "pickerDone"
                Accessible.name: text
                flat: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "確定"))
                Material.foreground: Brand.red
                onClicked: sheet.ui.choosePickerRow(sheet.ui.pickerId, tumbler.currentIndex)
            }
        }
        Tumbler {
            id: tumbler
            objectName: "pickerRows"
            Accessible.name: sheet.ui.pickerTitle
            Layout.fillWidth: true
            Layout.preferredHeight: 216
            visibleItemCount: 5
            wrap: false
            model: sheet.ui.pickerRows
            delegate: PlainLabel {
                id: row
                required property string modelData
                required property int index
                objectName: "pickerRow_" + index
                Accessible.name: modelData
                text: modelData
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                // Rows away from the middle fade, and stay readable.
                opacity: 1.0 - 0.4 * Math.abs(Tumbler.displacement) / (tumbler.visibleItemCount / 2)
                font.pixelSize: 18
                color: Brand.titleText
                // A tap on a row turns the wheel to it, as dragging does.
                TapHandler {
                    onTapped: tumbler.currentIndex = row.index
                }
            }
        }
    }

    // After the rows have reached the wheel.
    function selectInitialRow() {
        if (wanted)
            tumbler.currentIndex = Math.max(0, Math.min(ui.pickerInitialRow, ui.pickerRows.length - 1))
    }
    onWantedChanged: afterRowsArrive.restart()
    Timer {
        id: afterRowsArrive
        interval: 0
        onTriggered: sheet.selectInitialRow()
    }
}
