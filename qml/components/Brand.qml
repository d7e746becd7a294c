import QtQuick

// The application's colours, for views: `Brand { id: brand }` then `brand.red`.
QtObject {
    readonly property color red: Qt.rgba(195 / 255, 0, 28 / 255, 1)
    readonly property color background: Qt.rgba(228 / 255, 236 / 255, 241 / 255, 1)
    readonly property color titleText: Qt.rgba(3 / 255, 15 / 255, 30 / 255, 1)
    readonly property color unselectedTab: Qt.rgba(54 / 255, 65 / 255, 79 / 255, 1)
    readonly property color separator: Qt.rgba(0.8, 0.8, 0.8, 1)
}
