import QtQuick
import QtQuick.Controls.Material
import QtQuick.Controls.Material.impl
import Zelk

// The app's filled button: the accent colour drawn flat with the style's ripple, without the style's
// elevation shadow. The shadow is an offscreen layer with a blur shader per button, which a software or
// small phone GPU compiles and fills before the screen's first frame (the sign-in button is on the first
// screen); the filled colour alone marks the button as the screen's action.
PlainButton {
    id: control
    highlighted: true
    background: Rectangle {
        implicitWidth: 64
        implicitHeight: Material.buttonHeight
        radius: 2
        color: control.enabled ? Material.highlightedButtonColor : Material.buttonDisabledColor

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
