pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// The progress spinner (QmlUi.spinnerVisible). With the "clear" mask the whole window swallows
// touches while it shows, without dimming; with "none" touches pass through.
Item {
    id: overlay
    property QmlUi ui: null
    anchors.fill: parent
    visible: ui && ui.spinnerVisible
    z: 1000

    MouseArea {
        objectName: "spinnerMask"
        anchors.fill: parent
        enabled: overlay.ui && overlay.ui.spinnerMask === "clear"
        visible: enabled
        preventStealing: true
        hoverEnabled: true
        onWheel: (wheel) => wheel.accepted = true
    }

    Rectangle {
        objectName: "spinner"
        anchors.centerIn: parent
        width: Math.max(100, status.implicitWidth + 32)
        height: status.visible ? 120 : 100
        radius: 14
        color: Qt.rgba(1, 1, 1, 0.95)
        border.color: Qt.rgba(0, 0, 0, 0.08)

        BusyIndicator {
            anchors.horizontalCenter: parent.horizontalCenter
            y: 16
            running: overlay.visible
        }
        PlainLabel {
            id: status
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 12
            visible: text !== ""
            text: overlay.ui ? overlay.ui.spinnerStatus : ""
        }
    }
}
