import QtQuick
import QtQuick.Controls
import QtQuick.VirtualKeyboard

// Qt Virtual Keyboard drawn in the window, for a device whose system gives no keyboard of its own
// (QT_IM_MODULE=qtvirtualkeyboard). It rises from the bottom above everything, alerts included, so
// that an alert's field can be typed into; the window lifts its screens and alerts above it.
// The keyboard lays an area over the whole window besides its keys; clipped to the keys, presses
// elsewhere reach what is under it (in the overlay, that area would keep every tap from an open alert).
Item {
    id: holder
    objectName: "keyboardPanel"
    // The window's height the keyboard takes.
    readonly property real coveredHeight: panel.active ? panel.height : 0
    readonly property bool active: panel.active
    parent: Overlay.overlay
    z: 1000
    clip: true
    visible: panel.active
    width: parent ? parent.width : 0
    height: panel.height
    y: parent ? (panel.active ? parent.height - height : parent.height) : 0

    InputPanel {
        id: panel
        width: holder.width
    }
}
