pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// Diagnosis: the text of the last notification received.
Item {
    id: view
    required property PushTestViewController controller


    ScrollView {
        anchors.fill: parent
        anchors.margins: 16
        TextArea {
            placeholderTextColor: Brand.secondaryText
            objectName: "pushMessageTextView"
            Accessible.name: "pushMessageTextView"
            readOnly: true
            wrapMode: TextEdit.Wrap
            textFormat: TextEdit.PlainText
            text: view.controller.pushMessage
            color: Brand.titleText
            background: Rectangle { color: "white"; radius: 4 }
        }
    }
}
