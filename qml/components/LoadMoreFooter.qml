pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// Load-more footer for a list: use as `footer:` of a ListView with `control: controller.footer` and
// `flickable: list`. It loads the next page when the list is scrolled to its end (or when tapped),
// and shows the control's title for its state ("no more data" included).
ItemDelegate {
    id: footer
    property RefreshControl control: null
    property Flickable flickable: null

    objectName: "loadMoreFooter"
    Accessible.name: text
    width: flickable ? flickable.width : implicitWidth
    height: 44
    visible: control !== null
    enabled: control !== null && control.state !== 3 /* NoMoreData */
    text: control ? control.title : ""
    font.pixelSize: 14
    contentItem: Row {
        spacing: 8
        BusyIndicator {
            width: 22
            height: 22
            running: footer.control !== null && footer.control.refreshing
            visible: running
        }
        PlainLabel {
            objectName: "loadMoreFooterTitle"
            anchors.verticalCenter: parent.verticalCenter
            text: footer.text
            color: Brand.secondaryText
        }
        anchors.centerIn: parent
    }
    background: Item {}

    onClicked: if (control) control.release()

    Connections {
        target: footer.flickable
        function onAtYEndChanged() {
            const f = footer.flickable
            if (footer.control && f.atYEnd && f.contentHeight > f.height && (f.dragging || f.flicking))
                footer.control.release()
        }
    }
}
