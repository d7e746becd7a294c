import QtQuick
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The header page of a normal order: customer and credit, the header rows, and the next button.
Item {
    id: view
    required property OrderPage1ViewController controller

    ColumnLayout {
        anchors { left: parent.left; right: parent.right; top: parent.top; bottom: nextButton.top; bottomMargin: 8 }
        spacing: 0
        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 60
            color: "white"
            ColumnLayout {
                anchors { fill: parent; leftMargin: 15; rightMargin: 15 }
                spacing: 2
                PlainLabel {
                    objectName: "customNameLabel"
                    text: view.controller.customNameText
                    font.bold: true
                    color: Brand.titleText
                    elide: Text.ElideRight
                    Layout.fillWidth: true
                }
                PlainLabel {
                    objectName: "creditsLabel"
                    text: view.controller.creditsText
                    color: Brand.red
                }
            }
        }
        Flickable {
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentHeight: rows.implicitHeight
            clip: true
            OrderRowList {
                id: rows
                width: parent.width
                controller: view.controller
            }
        }
    }
    FilledButton {
        id: nextButton
        objectName: "nextButton"
        Accessible.name: text
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 16 }
        text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "下一步"))
        Material.accent: Brand.red
        onClicked: view.controller.nextAction()
    }
}
