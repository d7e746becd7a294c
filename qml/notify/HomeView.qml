pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// The home tab: the greeting cell with the newest notification, then the menu of functions.
Item {
    id: view
    required property HomeViewController controller


    Flickable {
        id: scroller
        objectName: "homeTable"
        anchors.fill: parent
        contentHeight: content.implicitHeight
        boundsBehavior: Flickable.DragOverBounds

        ColumnLayout {
            id: content
            width: scroller.width
            spacing: 0

            // Section 0: the home cell.
            ItemDelegate {
                id: homeCell
                objectName: "homeCell"
                Accessible.name: view.controller.welcomeText
                Layout.fillWidth: true
                Layout.topMargin: 12
                padding: 16
                background: Rectangle { color: homeCell.down ? "#eeeeee" : "white" }
                contentItem: ColumnLayout {
                    spacing: 8
                    PlainLabel {
                        objectName: "welcomeLabel"
                        Layout.fillWidth: true
                        text: view.controller.welcomeText
                        font.pixelSize: 22
                        font.bold: true
                        color: Brand.titleText
                        wrapMode: Text.Wrap
                    }
                    PlainLabel {
                        objectName: "titleLabel"
                        visible: view.controller.pushNewsVisible
                        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "最新通知"))
                        font.pixelSize: 13
                        color: Brand.red
                    }
                    PlainLabel {
                        objectName: "pushNewsLabel"
                        Layout.fillWidth: true
                        visible: view.controller.pushNewsVisible
                        text: view.controller.pushNewsText
                        font.pixelSize: 16
                        color: Brand.titleText
                        wrapMode: Text.Wrap
                    }
                }
                onClicked: view.controller.selectRow(0, 0)
            }

            // Section 1: the menu, under its header.
            PlainLabel {
                objectName: "menuHeader"
                Layout.fillWidth: true
                Layout.topMargin: 20
                leftPadding: 16
                bottomPadding: 6
                text: view.controller.menuHeader
                font.pixelSize: 13
                color: Brand.unselectedTab
            }
            Repeater {
                model: view.controller.menu
                delegate: ListCell {
                    id: menuCell
                    required property string name
                    required property int badge
                    required property int index
                    objectName: "homeMenuCell_" + index
                    Layout.fillWidth: true
                    text: name
                    textColor: view.controller.menuTextColor
                    onClicked: view.controller.selectRow(1, menuCell.index)
                    Rectangle {
                        objectName: "menuBadge_" + menuCell.index
                        visible: menuCell.badge > 0
                        anchors { right: parent.right; rightMargin: 15; verticalCenter: parent.verticalCenter }
                        width: Math.max(height, badgeText.implicitWidth + 12)
                        height: 22
                        radius: 11
                        color: Brand.red
                        PlainLabel {
                            id: badgeText
                            objectName: "badgeText"
                            anchors.centerIn: parent
                            text: menuCell.badge
                            color: "white"
                            font.pixelSize: 13
                            font.bold: true
                        }
                    }
                }
            }
        }
    }
}
