pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// A password field whose typed text never reaches accessibility clients. Qt Quick hands an editable
// text's "text" property to them in clear, whatever its echo mode; so the field itself is left out of the
// accessibility tree and a stand-in of the same size speaks for it with the masked text only.
TextField {
    id: field
    placeholderTextColor: Brand.secondaryText
    echoMode: TextInput.Password
    Accessible.ignored: true

    Item {
        objectName: field.objectName + "Accessible"
        anchors.fill: parent
        // The value accessibility clients read: the mask characters the field shows.
        readonly property string text: field.displayText
        Accessible.role: Accessible.EditableText
        // Qt Quick gives a password edit no name; its label travels as the description.
        Accessible.description: field.placeholderText
        Accessible.passwordEdit: true
        Accessible.editable: true
        Accessible.focusable: true
        Accessible.focused: field.activeFocus
        Accessible.onPressAction: field.forceActiveFocus()
    }
}
