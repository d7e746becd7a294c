pragma ComponentBehavior: Bound
import QtQuick
import Zelk

// Draws one screen: a container kind gets its container view, any other screen the view found for
// its class (which takes `required property <its class> controller`).
Item {
    id: host
    property Screen controller: null
    // The view is built over the next frames instead of at once (the screen shows its background until
    // it is ready).
    property bool asynchronous: false
    // A navigation screen's root page is built so (see NavigationView).
    property bool asynchronousRootPage: false
    // Whether the host paints the screen's background itself; the root host leaves it to the window's
    // clear colour, which saves a full-window fill in every frame.
    property bool fillsBackground: true

    readonly property string kind: controller ? controller.kind : ""
    // The colour behind the screen: its own for a screen, the app's for a container (which draws its own).
    readonly property color backgroundColor: kind === "screen" ? controller.backgroundColor : Brand.background


    Rectangle {
        anchors.fill: parent
        color: host.backgroundColor
        visible: host.kind === "screen" && host.fillsBackground
    }

    Loader {
        id: loader
        anchors.fill: parent
        asynchronous: host.asynchronous
        onStatusChanged: {
            if (status === Loader.Error)
                console.warn("zelk.ui: cannot load the view of", host.controller ? host.controller.className : "", loader.source)
        }
    }

    PlainLabel {
        // A screen registered before its view exists still shows something useful.
        anchors.centerIn: parent
        visible: host.kind === "screen" && loader.status !== Loader.Ready && loader.status !== Loader.Loading
        text: host.controller ? host.controller.className : ""
        color: Brand.titleText
    }

    onWidthChanged: layoutTimer.restart()
    onHeightChanged: layoutTimer.restart()
    Timer {
        id: layoutTimer
        interval: 0
        onTriggered: if (host.controller) host.controller.viewDidLayoutSubviews()
    }

    function load() {
        if (!controller) {
            loader.source = ""
            return
        }
        // Read the controller itself: the `kind` binding may not have caught up yet.
        switch (controller.kind) {
        case "navigation":
            loader.setSource("NavigationView.qml", { controller: controller, asynchronousRootPage: host.asynchronousRootPage })
            break
        case "tabs":
            loader.setSource("TabBarView.qml", { controller: controller })
            break
        case "slideMenu":
            loader.setSource("SlideMenuView.qml", { controller: controller })
            break
        default:
            if (String(controller.viewUrl) !== "")
                loader.setSource(controller.viewUrl, { controller: controller })
            else
                loader.source = ""
        }
    }

    // The first load waits until every property of the host is set (asynchronous among them).
    property bool completed: false
    onControllerChanged: if (completed) load()
    Component.onCompleted: {
        completed = true
        load()
    }
}
