import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// Entry of one contract material: car/ship kind, delivery method, quantity (numeric rule), remark.
Item {
    id: view
    required property EnterOrderInfoViewController controller

    ColumnLayout {
        anchors { left: parent.left; right: parent.right; top: parent.top; margins: 20; topMargin: 40 }
        spacing: 12
        PlainButton {
            objectName: "orderTypeButton"
            Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "車船別"))
            Layout.fillWidth: true
            text: view.controller.orderTypeButtonTitle
            onClicked: view.controller.orderTypeAction()
        }
        PlainButton {
            objectName: "info1Button"
            Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "交貨方式"))
            Layout.fillWidth: true
            text: view.controller.info1ButtonText
            onClicked: view.controller.inco1Action()
        }
        RowLayout {
            TextField {
                id: amount
                placeholderTextColor: Brand.secondaryText
                objectName: "itemAmtTextField"
                Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "下單數量"))
                Layout.fillWidth: true
                placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "下單數量"))
                inputMethodHints: Qt.ImhFormattedNumbersOnly
                property string accepted: ""
                onTextEdited: {
                    if (view.controller.acceptsNumericEdit(accepted, text)) {
                        accepted = text
                        view.controller.itemAmtText = text
                    } else {
                        text = accepted
                    }
                }
            }
            PlainLabel {
                objectName: "orderMaxLabel"
                text: view.controller.orderMaxText
            }
        }
        TextField {
            placeholderTextColor: Brand.secondaryText
            objectName: "transportTextField"
            Accessible.name: Localized.text(QT_TRANSLATE_NOOP("Zelk", "車船別(備註)"))
            Layout.fillWidth: true
            placeholderText: Localized.text(QT_TRANSLATE_NOOP("Zelk", "車船別(備註)"))
            onTextEdited: view.controller.transportText = text
        }
        FilledButton {
            objectName: "addToCartButton"
            Accessible.name: text
            Layout.fillWidth: true
            text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "加入購物車"))
            Material.accent: Brand.red
            onClicked: view.controller.addToCartAction()
        }
    }
}
