import QtQuick
import Zelk

// Place it behind a screen's content: a tap that reaches it (outside any text input or button) ends
// text editing, and the keyboard closes.
Item {
    id: area
    required property Screen screen
    objectName: "keyboardDismissArea"

    TapHandler {
        onTapped: area.screen.dismissKeyboard()
    }
}
