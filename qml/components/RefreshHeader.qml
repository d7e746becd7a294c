pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// Pull-to-refresh header for a list: place it next to the Flickable/ListView (same parent) with
// `flickable: list` and `control: controller.header` (a RefreshControl). Pulling the list down past
// `threshold` and letting go starts the refresh; while refreshing the list stays moved down.
Item {
    id: header
    property RefreshControl control: null
    property Flickable flickable: null
    property real threshold: 60

    readonly property real pullDistance: flickable ? Math.max(0, -flickable.verticalOvershoot) : 0
    readonly property bool refreshing: control ? control.refreshing : false

    objectName: "refreshHeader"
    x: flickable ? flickable.x : 0
    width: flickable ? flickable.width : 0
    height: 50
    y: flickable ? flickable.y - height + (refreshing ? height : Math.min(pullDistance, height)) : 0
    visible: refreshing || pullDistance > 0
    clip: true

    Row {
        anchors.centerIn: parent
        spacing: 8
        BusyIndicator {
            width: 24
            height: 24
            running: header.refreshing
            visible: running
        }
        PlainLabel {
            objectName: "refreshHeaderTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: header.control ? header.control.title : ""
            color: Brand.secondaryText
        }
    }

    Binding {
        target: header.flickable
        property: "topMargin"
        value: header.refreshing ? header.height : 0
        when: header.flickable !== null
        restoreMode: Binding.RestoreBindingOrValue
    }

    Connections {
        target: header.flickable
        function onVerticalOvershootChanged() {
            if (header.control && header.flickable.dragging)
                header.control.setPulledFarEnough(header.pullDistance >= header.threshold)
        }
        function onDraggingChanged() {
            if (header.control && !header.flickable.dragging)
                header.control.release()
        }
    }
}
