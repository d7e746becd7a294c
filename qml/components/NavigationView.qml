pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// Draws a NavigationController: its bar and its pages. Every page is placed from the controller's
// model alone: the top page at 0, the pages under it a third of a width to the left and hidden, a
// page being removed off to the right until its transition ends. No second stack is kept, so no
// order of pushes, pops and running transitions can leave another page on screen than the top one.
// The bindings read the controller only while it lives: the view may outlive it by a moment when the
// screen holding it goes.
Item {
    id: view
    required property NavigationController controller
    // Pages made while the view itself is being built start in place; later ones slide in.
    property bool ready: false
    // The root page is built over the next frames after the view itself (a tab's, so that the frame
    // that shows the tab does not build the page too).
    property bool asynchronousRootPage: false

    NavigationBar {
        id: navBar
        objectName: "navigationBar"
        navigation: view.controller
        visible: !!view.controller && !view.controller.navigationBarHidden
        anchors { left: parent.left; right: parent.right; top: parent.top }
    }

    Item {
        id: pagesArea
        objectName: "navigationStack"
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; top: navBar.visible ? navBar.bottom : parent.top }
        clip: true
        // Slightly shorter than the controller's transition, so a removed page is gone from sight
        // before its row (and its controller) goes.
        readonly property int duration: Math.max(0, (view.controller?.transitionDuration ?? 0) - 30)

        Repeater {
            model: view.controller?.pages ?? null
            delegate: Item {
                id: page
                required property Screen screen
                required property int stackIndex
                required property bool leaving
                readonly property bool isTop: !leaving && stackIndex === (view.controller?.depth ?? 0) - 1
                property bool entered: false

                objectName: "navigationPage"
                width: pagesArea.width
                height: pagesArea.height
                z: leaving ? 1000 : stackIndex
                x: leaving || !entered ? pagesArea.width : (isTop ? 0 : -pagesArea.width / 3)
                Behavior on x {
                    enabled: view.ready && !!view.controller && view.controller.lastChangeAnimated
                    NumberAnimation { id: slide; duration: pagesArea.duration; easing.type: Easing.OutCubic }
                }
                // Covered and removed pages are not drawn, nor offered to accessibility clients.
                visible: isTop || slide.running
                Component.onCompleted: entered = true

                ScreenHost {
                    anchors.fill: parent
                    controller: page.screen
                    asynchronous: view.asynchronousRootPage && page.stackIndex === 0
                }
            }
        }
    }

    Timer {
        interval: 0
        running: true
        onTriggered: view.ready = true
    }
}
