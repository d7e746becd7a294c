import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The searchable pick list: title and close button, search bar with its cancel button, the framed
// table of rows, and a toolbar with the reload button when the owner offers reloading.
Item {
    id: view
    required property SelectDataViewController controller

    ToolBar {
        id: topBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        implicitHeight: 48
        background: Rectangle { color: "white" }
        RowLayout {
            anchors.fill: parent
            ToolButton {
                objectName: "selectDataCloseButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "關閉"))
                text: "✕"
                Material.foreground: Brand.red
                onClicked: view.controller.clossViewAction()
            }
            PlainLabel {
                objectName: "selectDataTitleLabel"
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: view.controller.title
                font.bold: true
                font.pixelSize: 17
                color: Brand.titleText
                elide: Text.ElideRight
            }
            Item { implicitWidth: 48 }
        }
    }

    RowLayout {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: topBar.bottom; margins: 8 }
        spacing: 6
        TextField {
            id: searchField
            placeholderTextColor: Brand.secondaryText
            objectName: "selectDataSearchField"
            Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "搜尋"))
            Layout.fillWidth: true
            placeholderText: view.controller.searchPlaceholder !== "" ? view.controller.searchPlaceholder
                                                                      : Localized.text(QT_TRANSLATE_NOOP("Zelk", "搜尋"))
            text: view.controller.searchText
            inputMethodHints: Qt.ImhNoPredictiveText
            onActiveFocusChanged: if (activeFocus) view.controller.searchBarTextDidBeginEditing()
            onTextEdited: view.controller.searchTextChangedByUser(text)
            onAccepted: view.controller.searchBarSearchButtonClicked()
            Connections {
                target: view.controller
                function onSearchTextChanged() {
                    if (searchField.text !== view.controller.searchText)
                        searchField.text = view.controller.searchText
                }
            }
        }
        Button {
            objectName: "selectDataCancelSearchButton"
            Accessible.name: text
            visible: view.controller.showsCancelButton
            flat: true
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "取消"))
            Material.foreground: Brand.red
            onClicked: {
                view.controller.searchBarCancelButtonClicked()
                searchField.focus = false
            }
        }
    }

    Rectangle {
        id: bgView
        objectName: "selectDataBgView"
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: toolbar.top; margins: 8 }
        color: "white"
        border.width: 1
        border.color: view.controller.bgViewBorderColor
        radius: 3
        clip: true

        SelectDataTable {
            id: tableView
            objectName: "selectDataTableView"
            pickList: view.controller
            anchors.fill: parent
            anchors.margins: 1
            model: view.controller.rows
            boundsBehavior: Flickable.StopAtBounds
            ScrollIndicator.vertical: ScrollIndicator {}
            onMovementStarted: view.controller.endEditAction()
            delegate: ItemDelegate {
                id: cell
                required property int index
                required property string title
                required property string detail
                objectName: "selectDataCell_" + index
                Accessible.name: title
                width: ListView.view.width
                implicitHeight: Math.max(44, cell.contentItem.implicitHeight + 16)
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
                    spacing: 2
                    PlainLabel {
                        objectName: "cellText"
                        Layout.fillWidth: true
                        text: cell.title
                        color: Brand.titleText
                        font.pixelSize: 16
                        wrapMode: Text.Wrap
                    }
                    PlainLabel {
                        objectName: "cellDetail"
                        Layout.fillWidth: true
                        visible: text !== ""
                        text: cell.detail
                        color: Brand.secondaryText
                        font.pixelSize: 13
                        wrapMode: Text.Wrap
                    }
                }
                onClicked: (cell.ListView.view as SelectDataTable).pickList.didSelectRow(cell.index)
            }
        }
    }

    ToolBar {
        id: toolbar
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        implicitHeight: 48
        background: Rectangle { color: "white" }
        RowLayout {
            anchors.fill: parent
            ToolButton {
                objectName: "selectDataReloadButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "重新整理"))
                visible: view.controller.reloadBarItemVisible
                text: "⟳"
                font.pixelSize: 20
                Material.foreground: Brand.red
                onClicked: view.controller.reloadActionWithSender()
            }
            Item { Layout.fillWidth: true }
            ToolButton {
                objectName: "selectDataEndEditButton"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "完成"))
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "完成"))
                Material.foreground: Brand.red
                onClicked: {
                    view.controller.endEditAction()
                    searchField.focus = false
                }
            }
        }
    }
}
