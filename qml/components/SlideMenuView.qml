pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// Draws a SlideMenuController: the main content, and its right-hand panel sliding in over it. The panel
// is part of this view (not a popup above the window), so screens presented over the container cover
// it. The panel follows the controller's state; a drag from the right edge (while gestures are on) or a
// tap beside the open panel asks the controller. The bindings read the controller only while it lives:
// the view may outlive it by a moment when the container goes.
Item {
    id: view
    required property SlideMenuController controller
    clip: true

    ScreenHost {
        anchors.fill: parent
        controller: view.controller?.mainViewController ?? null
    }

    // Dims the main content while the panel is out; a tap on it closes the panel.
    Rectangle {
        objectName: "slideMenuDim"
        anchors.fill: parent
        color: "black"
        opacity: 0.35 * panel.position
        visible: panel.position > 0
        MouseArea {
            anchors.fill: parent
            onClicked: view.controller.closeRight()
        }
    }

    // The right edge: a leftward drag opens the panel; taps pass through to what is below.
    Item {
        objectName: "slideMenuEdge"
        anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
        width: 20
        enabled: !!view.controller && view.controller.rightGesturesEnabled && !view.controller.rightOpen
        DragHandler {
            target: null
            xAxis.enabled: true
            yAxis.enabled: false
            onTranslationChanged: if (translation.x < -30) view.controller.openRight()
        }
    }

    Rectangle {
        id: panel
        objectName: "slideMenuRightPanel"
        property real position: view.controller?.rightOpen ? 1 : 0
        Behavior on position {
            NumberAnimation { duration: view.controller?.transitionDuration ?? 0; easing.type: Easing.OutCubic }
        }
        width: view.controller?.rightPanelWidth ?? 0
        height: view.height
        x: view.width - width * position
        visible: position > 0
        color: Brand.background

        ScreenHost {
            anchors.fill: parent
            controller: view.controller?.rightViewController ?? null
        }
    }
}
