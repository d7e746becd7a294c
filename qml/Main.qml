pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import Zelk

// The window: the navigator's root screen, the screens presented over it (each rising from the
// bottom), and above everything what QmlUi shows: alerts, action sheets, pickers and the spinner.
ApplicationWindow {
    id: window
    required property Navigator navigator
    required property QmlUi ui
    // Whether the window draws Qt Virtual Keyboard itself (no system keyboard on this device).
    required property bool embeddedKeyboard

    width: 390
    height: 844
    visible: true
    title: "Zelk"


    Material.theme: Material.Light
    Material.primary: Brand.red
    Material.accent: Brand.red
    Material.background: Brand.background
    Material.foreground: Brand.titleText
    // The root screen's background is the window's clear colour (its host paints none).
    color: rootScreen.backgroundColor

    // Alerts, sheets, pickers and the spinner (Sheets.qml) are made once the first frame is drawn, so that
    // the first frame draws the first screen alone; one asked for before that makes them at once.
    // (installUi sets firstFrameDrawn.)
    property bool firstFrameDrawn: false
    onFirstFrameDrawnChanged: makeSheets()
    Loader {
        id: sheets
        objectName: "sheets"
        anchors.fill: parent
        onLoaded: item.keyboardHeight = Qt.binding(() => window.keyboardHeight)
    }

    // The height the on-screen keyboard takes from the bottom of the window: the screens end above it and
    // alerts rise over it, so that what the rep types into, and its buttons, stay in view. The system's
    // keyboard tells its rectangle in the focused item's coordinates.
    readonly property real keyboardHeight: {
        const embedded = keyboardPanel.item ? keyboardPanel.item.coveredHeight : 0
        const r = Qt.inputMethod.keyboardRectangle
        const focused = window.activeFocusItem
        const top = focused && r.height > 0 ? focused.mapToItem(null, r.x, r.y).y : window.height
        return Math.max(embedded, Qt.inputMethod.visible ? Math.max(0, window.height - top) : 0)
    }
    Loader {
        id: keyboardPanel
        active: window.embeddedKeyboard
        source: "components/KeyboardPanel.qml"
    }
    Item {
        id: screens
        objectName: "screens"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: statusNote.top }
        anchors.bottomMargin: Math.max(0, window.keyboardHeight - statusNote.height)

        // A screen covered by a presented one is hidden once the cover has arrived.
        ScreenHost {
            id: rootScreen
            objectName: "rootScreen"
            anchors.fill: parent
            fillsBackground: false
            controller: window.navigator.rootScreen
            visible: controller !== null && controller.onScreen
        }

        Repeater {
            objectName: "presentedScreens"
            model: window.navigator.presentedModel
            delegate: Item {
                id: presented
                objectName: "presentedScreen"
                required property Screen screen
                readonly property int duration: screen && screen.presentationAnimated ? screen.transitionDuration : 0
                // A cross-dissolving screen fades in and out in place; the others slide up and down.
                readonly property bool fades: screen !== null && screen.crossDissolves
                readonly property bool leaving: screen !== null && screen.beingDismissed
                width: screens.width
                height: screens.height
                visible: screen !== null && screen.onScreen
                y: leaving && !fades ? screens.height : 0
                opacity: leaving && fades ? 0 : 1
                Behavior on y { NumberAnimation { duration: presented.duration; easing.type: Easing.OutCubic } }
                Behavior on opacity { NumberAnimation { duration: presented.duration } }
                Component.onCompleted: {
                    if (duration > 0)
                        enterAnimation.start()
                }
                NumberAnimation {
                    id: enterAnimation
                    target: presented
                    property: presented.fades ? "opacity" : "y"
                    from: presented.fades ? 0 : screens.height
                    to: presented.fades ? 1 : 0
                    duration: presented.duration
                    easing.type: presented.fades ? Easing.Linear : Easing.OutCubic
                }
                // Touches do not reach the screens underneath.
                MouseArea { anchors.fill: parent }
                ScreenHost {
                    anchors.fill: parent
                    controller: presented.screen
                }
            }
        }
    }

    // The quiet line under every screen: the app works offline (the screens keep their whole height
    // otherwise).
    Rectangle {
        id: statusNote
        objectName: "statusNote"
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: window.navigator.statusNote.length > 0 ? 26 : 0
        visible: height > 0
        color: "#424242"
        Text {
            id: noteText
            objectName: "statusNoteText"
            anchors { fill: parent; leftMargin: 12; rightMargin: 12 }
            verticalAlignment: Text.AlignVCenter
            text: window.navigator.statusNote
            textFormat: Text.PlainText
            elide: Text.ElideRight
            color: "white"
            font.pixelSize: 13
        }
    }

    function makeSheets() {
        if (!sheets.item)
            sheets.setSource(Qt.resolvedUrl("components/Sheets.qml"), { ui: window.ui })
    }
    Connections {
        target: window.ui
        enabled: !sheets.item
        function onAlertChanged() {
            window.makeSheets()
        }
        function onPickerChanged() {
            window.makeSheets()
        }
        function onDatePickerChanged() {
            window.makeSheets()
        }
        function onSpinnerChanged() {
            window.makeSheets()
        }
    }

    // The photo dialog, made on the first photo request (see PhotoDialog.qml).
    Loader {
        id: photoDialog
        objectName: "photoDialog"
    }

    Connections {
        target: window.ui
        function onPhotoRequested(id, source) {
            // Once made, the dialog answers the requests itself.
            if (!photoDialog.item)
                photoDialog.setSource(Qt.resolvedUrl("components/PhotoDialog.qml"), { ui: window.ui, requestId: id })
        }
        function onEndEditingRequested() {
            screens.forceActiveFocus()
        }
    }
}
