pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The action sheet on screen (QmlUi.alert of kind "sheet"), rising from the bottom; cancel-style
// buttons are set apart at the bottom.
Popup {
    id: sheet
    property QmlUi ui: null
    property var model: ({})
    readonly property bool wanted: model.id !== undefined && model.kind === "sheet"

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


    function buttonsOf(cancel) {
        const list = []
        const all = sheet.model.buttons || []
        for (let i = 0; i < all.length; ++i) {
            if ((all[i].style === "cancel") === cancel)
                list.push({ title: all[i].title, style: all[i].style, index: i })
        }
        return list
    }

    component SheetButton: PlainButton {
        property var entry
        objectName: "sheetButton_" + entry.title
        Accessible.name: entry.title
        Layout.fillWidth: true
        flat: true
        text: entry.title
        font.pixelSize: 18
        font.weight: entry.style === "cancel" ? Font.DemiBold : Font.Normal
        Material.foreground: entry.style === "destructive" ? "#d32f2f" : Brand.red
        onClicked: sheet.ui.answerAlert(sheet.model.id, entry.index, [])
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
                    text: sheet.model.title || ""
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
                    text: sheet.model.message || ""
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    color: Brand.secondaryText
                }
                Repeater {
                    model: sheet.wanted ? sheet.buttonsOf(false) : []
                    delegate: SheetButton {
                        required property var modelData
                        entry: modelData
                    }
                }
            }
        }
        Rectangle {
            Layout.fillWidth: true
            implicitHeight: cancelColumn.implicitHeight
            visible: cancelRepeater.count > 0
            radius: 12
            color: "white"
            ColumnLayout {
                id: cancelColumn
                width: parent.width
                Repeater {
                    id: cancelRepeater
                    model: sheet.wanted ? sheet.buttonsOf(true) : []
                    delegate: SheetButton {
                        required property var modelData
                        entry: modelData
                    }
                }
            }
        }
    }
}
