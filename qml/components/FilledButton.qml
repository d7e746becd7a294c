import QtQuick
import QtQuick.Controls.Material
import QtQuick.Controls.Material.impl
import Zelk

// The app's filled button: the accent colour with the style's ripple, its raised edge drawn as two
// rectangles under it instead of the style's elevation effect. That effect is an offscreen layer with a blur
// shader per button, which a software or small phone GPU compiles and fills before the screen's first frame
// (the sign-in button is on the first screen); the rectangles use the colour shader already in use.
PlainButton {
    id: control
    highlighted: true
    background: Rectangle {
        implicitWidth: 64
        implicitHeight: Material.buttonHeight
        radius: 2
        color: control.enabled ? Material.highlightedButtonColor : Material.buttonDisabledColor

        // The shadow of a raised button: a soft edge and a nearer, darker one.
        Rectangle {
            z: -1
            visible: control.enabled
            anchors { fill: parent; topMargin: 1; bottomMargin: -2; leftMargin: -0.5; rightMargin: -0.5 }
            radius: 3
            color: "#1f000000"
        }
        Rectangle {
            z: -1
            visible: control.enabled
            anchors { fill: parent; topMargin: 1; bottomMargin: -1 }
            radius: 2
            color: "#3d000000"
        }

        Ripple {
            clipRadius: 2
            width: parent.width
            height: parent.height
            pressed: control.pressed
            anchor: control
            active: control.enabled && (control.down || control.visualFocus || control.hovered)
            color: Material.rippleColor
        }
    }
}
