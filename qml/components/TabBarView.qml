pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.impl
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// Draws a TabBarController: the selected tab's screen above a tab bar. A tab's view is created the
// first time it is selected and kept afterwards. The bindings read the controller only while it lives:
// the view may outlive it by a moment when the tabs go.
Item {
    id: view
    required property TabBarController controller

    StackLayout {
        id: pages
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: bar.top }
        currentIndex: view.controller?.selectedIndex ?? 0
        Repeater {
            model: view.controller?.pages ?? null
            delegate: ScreenHost {
                id: page
                required property Screen screen
                required property int index
                // The tab's view is made the first time the tab is selected and kept afterwards.
                property bool activated: false
                controller: activated ? screen : null
                asynchronousRootPage: true
                function activateWhenSelected() {
                    if (index === view.controller.selectedIndex)
                        activated = true
                }
                Component.onCompleted: activateWhenSelected()
                Connections {
                    target: view.controller
                    function onSelectedIndexChanged() { page.activateWhenSelected() }
                }
            }
        }
    }

    TabBar {
        id: bar
        objectName: "tabBar"
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        currentIndex: view.controller?.selectedIndex ?? 0
        Material.accent: view.controller?.tintColor ?? "transparent"
        background: Rectangle {
            color: "white"
            Rectangle { width: parent.width; height: 1; color: Qt.rgba(0, 0, 0, 0.12) }
        }
        Repeater {
            model: view.controller?.tabItems ?? null
            delegate: TabButton {
                id: tab
                required property string title
                required property url iconSource
                required property int index
                readonly property bool selected: index === view.controller?.selectedIndex
                readonly property color tint: !view.controller ? "transparent"
                                                               : selected ? view.controller.tintColor
                                                                          : view.controller.unselectedTintColor
                objectName: "tab_" + index
                Accessible.name: title
                text: title
                icon.source: iconSource
                icon.color: tint
                icon.width: 24
                icon.height: 24
                display: AbstractButton.TextUnderIcon
                // Four tabs share a phone's width: the label keeps its own case and the button's
                // padding is small enough for a long label ("Notifications") to show whole.
                font.pixelSize: 11
                font.capitalization: Font.MixedCase
                leftPadding: 2
                rightPadding: 2
                Material.foreground: tint
                // The title is drawn as written under the style's icon.
                contentItem: ColumnLayout {
                    spacing: 2
                    IconLabel {
                        Layout.alignment: Qt.AlignHCenter
                        icon: tab.icon
                        display: AbstractButton.IconOnly
                    }
                    PlainLabel {
                        Layout.alignment: Qt.AlignHCenter
                        Layout.maximumWidth: tab.availableWidth
                        text: tab.text
                        font: tab.font
                        color: tab.tint
                        elide: Text.ElideRight
                    }
                }
                onClicked: view.controller.selectedIndex = tab.index
            }
        }
    }
}
