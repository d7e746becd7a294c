pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The action sheet on screen (QmlUi's alert when it is a sheet), rising from the bottom; cancel-style
// buttons are set apart at the bottom.
Popup {
    id: sheet
    required property QmlUi ui
    readonly property bool wanted: ui.alertId !== 0 && ui.alertIsSheet

    objectName: "actionSheet"
    modal: true
    closePolicy: Popup.NoAutoClose
    parent: Overlay.overlay
    x: 8
    width: parent ? parent.width - 16 : 300
    y: parent ? parent.height - height - 8 : 0
    padding: 0
    background: Item {}
    visible: wanted


    // A button of the sheet's buttons; each group draws those of its kind (cancel or not) and hides
    // the others, which its layout then leaves out.
    component SheetButton: PlainButton {
        required property int index
        required property string title
        required property string style
        property bool cancelGroup: false
        visible: (style === "cancel") === cancelGroup
        objectName: "sheetButton_" + title
        Accessible.name: title
        Layout.fillWidth: true
        flat: true
        text: title
        font.pixelSize: 18
        font.weight: style === "cancel" ? Font.DemiBold : Font.Normal
        Material.foreground: style === "destructive" ? "#d32f2f" : Brand.red
        onClicked: sheet.ui.answerAlert(sheet.ui.alertId, index, [])
    }

    // The sheet reaches the controls below by id, so its content is built with it, not deferred.
    // qmllint disable deferred-property-id
    contentItem: ColumnLayout {
        spacing: 8
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: mainColumn.implicitHeight
            radius: 12
            color: "white"
            ColumnLayout {
                id: mainColumn
                width: parent.width
                spacing: 0
                PlainLabel {
                    Layout.fillWidth: true
                    Layout.margins: 12
                    visible: text !== ""
                    text: sheet.ui.alertTitle
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    font.weight: Font.DemiBold
                    color: Brand.secondaryText
                }
                PlainLabel {
                    Layout.fillWidth: true
                    Layout.leftMargin: 12
                    Layout.rightMargin: 12
                    Layout.bottomMargin: 8
                    visible: text !== ""
                    text: sheet.ui.alertMessage
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    color: Brand.secondaryText
                }
                Repeater {
                    model: sheet.wanted ? sheet.ui.alertButtons : null
                    delegate: SheetButton {}
                }
            }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: cancelColumn.implicitHeight
            visible: cancelColumn.implicitHeight > 0
            radius: 12
            color: "white"
            ColumnLayout {
                id: cancelColumn
                width: parent.width
                Repeater {
                    model: sheet.wanted ? sheet.ui.alertButtons : null
                    delegate: SheetButton {
                        cancelGroup: true
                    }
                }
            }
        }
    }
}
