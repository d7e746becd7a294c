import QtQuick
import Zelk

// A line of `color` and `thickness` along one side of its parent, kept on that side when the parent
// is resized.
Rectangle {
    id: border
    enum ViewSide { Top, Right, Bottom, Left }
    property int side: SideBorder.ViewSide.Bottom
    property real thickness: 1
    readonly property bool horizontal: side === SideBorder.ViewSide.Top || side === SideBorder.ViewSide.Bottom
    readonly property Item host: parent

    color: Brand.separator
    x: side === SideBorder.ViewSide.Right && host ? host.width - thickness : 0
    y: side === SideBorder.ViewSide.Bottom && host ? host.height - thickness : 0
    width: horizontal ? (host ? host.width : 0) : thickness
    height: horizontal ? thickness : (host ? host.height : 0)
}
