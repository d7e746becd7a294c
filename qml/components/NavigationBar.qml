import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The bar over a navigation stack: back button, the top screen's title and its bar buttons.
ToolBar {
    id: bar
    property var navigation: null          // the NavigationController
    readonly property var topScreen: navigation ? navigation.topViewController : null
    readonly property color tint: navigation ? navigation.barTintColor : "black"

    implicitHeight: 48
    background: Rectangle {
        color: bar.navigation ? bar.navigation.barBackgroundColor : "white"
        opacity: bar.navigation && bar.navigation.barTranslucent ? 0.97 : 1
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 1
            color: Qt.rgba(0, 0, 0, 0.12)
        }
    }

    component BarButtonItem: ToolButton {
        id: barButton
        property var model
        property string side
        property int index
        objectName: model.objectName
        Accessible.name: model.title !== "" ? model.title : model.icon
        text: model.icon.toString() === "" ? model.title : ""
        icon.source: model.icon
        icon.color: bar.tint
        Material.foreground: bar.tint
        onClicked: bar.topScreen.triggerBarButton(side, index)
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        ToolButton {
            objectName: "backButton"
            Accessible.name: Localized.text("返回")
            visible: bar.navigation && bar.navigation.depth > 1 && bar.topScreen && !bar.topScreen.hidesBackButton
                     && bar.topScreen.leftBarButtons.length === 0
            Material.foreground: bar.tint
            // The chevron glyph sits low in its line box: centre the glyph itself on the title's line.
            contentItem: Item {
                implicitWidth: chevron.implicitWidth
                implicitHeight: chevron.implicitHeight
                Label {
                    id: chevron
                    anchors.centerIn: parent
                    anchors.verticalCenterOffset: -Math.round(font.pixelSize * 0.25)
                    text: "‹"
                    font.pixelSize: 30
                    color: bar.tint
                }
            }
            onClicked: bar.navigation.goBack()
        }
        Repeater {
            model: bar.topScreen ? bar.topScreen.leftBarButtons : []
            delegate: BarButtonItem {
                required property var modelData
                required property int index
                model: modelData
                side: "left"
            }
        }
        Item { Layout.fillWidth: true }
        Repeater {
            model: bar.topScreen ? bar.topScreen.rightBarButtons : []
            delegate: BarButtonItem {
                required property var modelData
                required property int index
                model: modelData
                side: "right"
            }
        }
    }

    Label {
        objectName: "navigationTitle"
        anchors.centerIn: parent
        width: Math.min(implicitWidth, bar.width - 140)
        elide: Text.ElideRight
        text: bar.topScreen ? bar.topScreen.title : ""
        color: bar.navigation ? bar.navigation.barTitleColor : "black"
        font.pixelSize: 17
        font.weight: Font.DemiBold
    }
}
