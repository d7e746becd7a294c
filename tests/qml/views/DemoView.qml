import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// View of the demo screens of the framework test: a list with pull-to-refresh and load-more, and a
// button calling the controller.
Item {
    id: view
    required property var controller


    ListView {
        id: list
        objectName: "demoList"
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: action.top }
        model: view.controller.rows
        clip: true
        delegate: ListCell {
            required property string label
            required property int index
            objectName: "demoCell_" + index
            width: ListView.view.width
            text: label
            detailText: index === 0 ? "12,600.00" : ""
            disclosure: true
        }
        footer: LoadMoreFooter {
            control: view.controller.footer
            flickable: list
        }
    }
    RefreshHeader {
        control: view.controller.header
        flickable: list
    }
    Button {
        id: action
        objectName: "demoAction"
        Accessible.name: text
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 16 }
        text: view.controller.actionTitle
        highlighted: true
        Material.accent: Brand.red
        onClicked: view.controller.act()
    }
}
