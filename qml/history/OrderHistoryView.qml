pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The order query: the date range, by customer or by order number, the query button and the rows.
Item {
    id: view
    required property OrderHistoryViewController controller


    Rectangle {
        id: topView
        objectName: "topView"
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: queryView.implicitHeight + 16
        color: "white"

        ColumnLayout {
            id: queryView
            objectName: "queryView"
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 8 }
            spacing: 6

            RowLayout {
                Layout.fillWidth: true
                spacing: 6
                PlainButton {
                    objectName: "startDateButton"
                    Accessible.name: text
                    Layout.fillWidth: true
                    text: view.controller.startDateTitle
                    flat: true
                    Material.foreground: Brand.titleText
                    onClicked: view.controller.changeStartDateAction()
                }
                PlainLabel { text: "~"; color: Brand.titleText }
                PlainButton {
                    objectName: "endDateButton"
                    Accessible.name: text
                    Layout.fillWidth: true
                    text: view.controller.endDateTitle
                    flat: true
                    Material.foreground: Brand.titleText
                    onClicked: view.controller.changeEndDateAction()
                }
            }

            TabBar {
                id: queryTypeSegmentedControl
                objectName: "queryTypeSegmentedControl"
                Layout.fillWidth: true
                currentIndex: view.controller.queryType
                Material.accent: Brand.red
                TabButton {
                    objectName: "queryTypeCustomer"
                    Accessible.name: text
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "客戶"))
                    onClicked: view.controller.changeTypeAction(0)
                }
                TabButton {
                    objectName: "queryTypeOrderNumber"
                    Accessible.name: text
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "訂單編號"))
                    onClicked: view.controller.changeTypeAction(1)
                }
            }

            RowLayout {
                Layout.fillWidth: true
                spacing: 6
                TextField {
                    id: infoField
                    placeholderTextColor: Brand.secondaryText
                    objectName: "queryTypeInfoTextField"
                    Accessible.name: placeholderText
                    Layout.fillWidth: true
                    text: view.controller.queryTypeInfoText
                    readOnly: view.controller.queryTypeInfoReadOnly
                    placeholderText: view.controller.queryTypeInfoPlaceholder
                    inputMethodHints: view.controller.queryTypeInfoNumeric ? Qt.ImhPreferNumbers : Qt.ImhNone
                    onTextEdited: view.controller.queryTypeInfoTextEdited(text)
                    onAccepted: view.controller.dismissKeyboard()
                    MouseArea {
                        // By customer the field opens the picker instead of editing.
                        anchors.fill: parent
                        enabled: view.controller.queryTypeInfoReadOnly
                        onClicked: view.controller.queryTypeInfoTextFieldShouldBeginEditing()
                    }
                    Connections {
                        target: view.controller
                        function onQueryTypeInfoTextFieldFocusRequested() { infoField.forceActiveFocus() }
                        function onQueryTypeInfoTextChanged() {
                            if (infoField.text !== view.controller.queryTypeInfoText)
                                infoField.text = view.controller.queryTypeInfoText
                        }
                    }
                }
                FilledButton {
                    objectName: "queryButton"
                    Accessible.name: text
                    text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "查詢"))
                    Material.accent: Brand.red
                    onClicked: {
                        infoField.focus = false
                        view.controller.queryAction()
                    }
                }
            }
        }
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Brand.separator
        }
    }

    ListView {
        id: tableView
        objectName: "tableView"
        anchors { left: parent.left; right: parent.right; top: topView.bottom; bottom: parent.bottom }
        clip: true
        model: view.controller.cells
        boundsBehavior: Flickable.StopAtBounds
        ScrollIndicator.vertical: ScrollIndicator {}
        delegate: ItemDelegate {
            id: cell
            required property string timeLabel
            required property string customerLabel
            required property string itemLabel
            required property string itemOrderNumberLabel
            required property string itemOrderLastLabel
            required property int index
            objectName: "orderHistroyCell_" + index
            Accessible.name: itemLabel
            width: ListView.view.width
            implicitHeight: Math.max(60, implicitContentHeight + 16)
            leftPadding: 15
            rightPadding: 15
            background: Rectangle {
                color: cell.down ? "#eeeeee" : "white"
                Rectangle {
                    anchors.bottom: parent.bottom
                    x: 15
                    width: parent.width - 15
                    height: 1
                    color: Brand.separator
                }
            }
            contentItem: ColumnLayout {
                spacing: 3
                RowLayout {
                    Layout.fillWidth: true
                    PlainLabel {
                        objectName: "timeLabel"
                        text: cell.timeLabel
                        color: Brand.secondaryText
                        font.pixelSize: 13
                    }
                    PlainLabel {
                        objectName: "customerLabel"
                        Layout.fillWidth: true
                        horizontalAlignment: Text.AlignRight
                        text: cell.customerLabel
                        color: Brand.titleText
                        font.pixelSize: 13
                        elide: Text.ElideRight
                    }
                }
                PlainLabel {
                    objectName: "itemLabel"
                    Layout.fillWidth: true
                    text: cell.itemLabel
                    color: Brand.titleText
                    font.pixelSize: 16
                    font.bold: true
                    wrapMode: Text.Wrap
                }
                RowLayout {
                    Layout.fillWidth: true
                    PlainLabel {
                        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "開單數量"))
                        color: Brand.secondaryText
                        font.pixelSize: 13
                    }
                    PlainLabel {
                        objectName: "itemOrderNumberLabel"
                        text: cell.itemOrderNumberLabel
                        color: Brand.titleText
                        font.pixelSize: 13
                    }
                    Item { Layout.fillWidth: true }
                    PlainLabel {
                        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "剩餘數量"))
                        color: Brand.secondaryText
                        font.pixelSize: 13
                    }
                    PlainLabel {
                        objectName: "itemOrderLastLabel"
                        text: cell.itemOrderLastLabel
                        color: Brand.red
                        font.pixelSize: 13
                    }
                }
            }
            onClicked: view.controller.didSelectRow(cell.index)
        }
    }
}
