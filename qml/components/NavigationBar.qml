pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.impl
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The bar over a navigation stack: back button, the top screen's title and its bar buttons.
ToolBar {
    id: bar
    property NavigationController navigation: null
    readonly property Screen topScreen: navigation ? navigation.topViewController : null
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
        required property string title
        required property url iconSource
        required property string buttonName
        required property int index
        property string side
        objectName: buttonName
        Accessible.name: title !== "" ? title : String(iconSource)
        text: String(iconSource) === "" ? title : ""
        icon.source: iconSource
        icon.color: bar.tint
        Material.foreground: bar.tint
        // Its icon, or its title drawn as written.
        contentItem: RowLayout {
            spacing: 0
            IconLabel {
                Layout.fillWidth: true
                visible: String(barButton.iconSource) !== ""
                icon: barButton.icon
                display: AbstractButton.IconOnly
            }
            PlainLabel {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                visible: text !== ""
                text: barButton.text
                font: barButton.font
                color: bar.tint
            }
        }
        onClicked: bar.topScreen.triggerBarButton(side, index)
    }

    RowLayout {
        anchors.fill: parent
        spacing: 0

        ToolButton {
            objectName: "backButton"
            Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "返回"))
            visible: bar.navigation && bar.navigation.depth > 1 && bar.topScreen && !bar.topScreen.hidesBackButton
                     && bar.topScreen.leftBarButtons.count === 0
            Material.foreground: bar.tint
            // The chevron glyph sits low in its line box: lift it towards the title's line.
            contentItem: PlainLabel {
                text: "‹"
                font.pixelSize: 30
                color: bar.tint
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                transform: Translate { y: -6 } // about a quarter of the glyph's 30 px, keeping its box inside the bar
            }
            onClicked: bar.navigation.goBack()
        }
        Repeater {
            model: bar.topScreen ? bar.topScreen.leftBarButtons : null
            delegate: BarButtonItem { side: "left" }
        }
        Item { Layout.fillWidth: true }
        Repeater {
            model: bar.topScreen ? bar.topScreen.rightBarButtons : null
            delegate: BarButtonItem { side: "right" }
        }
    }

    PlainLabel {
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
