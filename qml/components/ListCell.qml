pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Zelk

// Base of list rows: a white row with a hairline separator, a main text and an optional detail text
// and disclosure mark. Give every cell an objectName (e.g. "boardCell_" + index).
ItemDelegate {
    id: cell
    property string detailText: ""
    property bool disclosure: false
    property bool separator: true
    property color textColor: Brand.titleText

    Accessible.name: text
    implicitHeight: Math.max(44, implicitContentHeight + 16)
    leftPadding: 15
    rightPadding: 15


    background: Rectangle {
        color: cell.down ? "#eeeeee" : "white"
        Rectangle {
            visible: cell.separator
            anchors.bottom: parent.bottom
            x: 15
            width: parent.width - 15
            height: 1
            color: Brand.separator
        }
    }

    contentItem: RowLayout {
        spacing: 8
        PlainLabel {
            objectName: "cellText"
            Layout.fillWidth: true
            text: cell.text
            elide: Text.ElideRight
            color: cell.textColor
            font: cell.font
        }
        PlainLabel {
            objectName: "cellDetail"
            visible: text !== ""
            text: cell.detailText
            color: Brand.secondaryText
        }
        PlainLabel {
            visible: cell.disclosure
            text: "›"
            font.pixelSize: 22
            color: Brand.secondaryText
        }
    }
}
