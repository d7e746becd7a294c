pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// Draws a SlideMenuController: the main content, and its right-hand panel in a drawer from the right
// edge. The drawer follows the controller's state; a drag by the user asks the controller.
Item {
    id: view
    required property SlideMenuController controller

    ScreenHost {
        anchors.fill: parent
        controller: view.controller.mainViewController
    }

    Drawer {
        id: drawer
        objectName: "slideMenuRightPanel"
        edge: Qt.RightEdge
        width: view.controller.rightPanelWidth
        height: view.height
        interactive: view.controller.rightGesturesEnabled
        dragMargin: interactive ? 20 : 0
        enter: Transition { NumberAnimation { property: "position"; to: 1.0; duration: view.controller.transitionDuration } }
        exit: Transition { NumberAnimation { property: "position"; to: 0.0; duration: view.controller.transitionDuration } }

        ScreenHost {
            anchors.fill: parent
            controller: view.controller.rightViewController
        }

        onAboutToShow: if (!view.controller.rightOpen) view.controller.openRight()
        onAboutToHide: if (view.controller.rightOpen) view.controller.closeRight()
    }

    // The drawer always heads for the controller's state: opened or opening while the panel is open,
    // closed or closing otherwise, also when a change arrives during a running transition or a drag.
    function follow() {
        if (view.controller.rightOpen && (!drawer.opened || drawer.exit.running))
            drawer.open()
        else if (!view.controller.rightOpen && drawer.visible)
            drawer.close()
    }
    Connections {
        target: view.controller
        function onRightOpenChanged() { view.follow() }
    }
    Connections {
        target: drawer
        function onOpened() { view.follow() }
        function onClosed() { view.follow() }
    }
    Component.onCompleted: follow()
}
