pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The date picker dialog (QmlUi's date picker): year, month and day wheels with "取消" and "確定".
Popup {
    id: sheet
    required property QmlUi ui
    readonly property bool wanted: ui.datePickerId !== 0
    readonly property int firstYear: 1990
    readonly property int lastYear: 2100

    objectName: "datePickerSheet"
    modal: true
    closePolicy: Popup.NoAutoClose
    parent: Overlay.overlay
    width: parent ? parent.width : 390
    y: parent ? parent.height - height : 0
    padding: 0
    visible: wanted
    background: Rectangle { color: "white" }


    function daysIn(year, month) { return new Date(year, month + 1, 0).getDate() }
    // Days of the month shown by the year and month wheels; later days are greyed and the day wheel
    // turns back to the month's last day when it rests on one of them.
    readonly property int dayCount: daysIn(firstYear + yearWheel.currentIndex, monthWheel.currentIndex)
    function clampDay() {
        if (!dayWheel.moving && dayWheel.currentIndex >= dayCount)
            dayWheel.currentIndex = dayCount - 1
    }
    onDayCountChanged: clampLater.restart()
    // Once the wheels have settled in this turn of the event loop.
    Timer {
        id: clampLater
        interval: 0
        onTriggered: sheet.clampDay()
    }
    function chosenDate() {
        const year = firstYear + yearWheel.currentIndex
        const month = monthWheel.currentIndex
        const day = Math.min(dayWheel.currentIndex + 1, daysIn(year, month))
        return new Date(year, month, day)
    }

    // A wheel of the numbers from `first`, `count` of them, each written with at least `digits` digits.
    component Wheel: Tumbler {
        id: wheel
        property int first: 1
        property int digits: 2
        property int validCount: count
        Layout.fillWidth: true
        Layout.preferredHeight: 216
        visibleItemCount: 5
        delegate: Component {
            PlainLabel {
                id: cell
                required property int index
                objectName: wheel.objectName + "_" + index
                Accessible.name: text
                text: String(wheel.first + index).padStart(wheel.digits, "0")
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                opacity: 1.0 - Math.abs(Tumbler.displacement) / (wheel.visibleItemCount / 2)
                font.pixelSize: 18
                color: index < wheel.validCount ? Brand.titleText : "#b4bcc4"
                // A tap on a row turns the wheel to it, as dragging does.
                TapHandler {
                    onTapped: wheel.currentIndex = cell.index
                }
            }
        }
    }

    // The sheet reaches the controls below by id, so its content is built with it, not deferred.
    // qmllint disable deferred-property-id
    contentItem: ColumnLayout {
        spacing: 0
        RowLayout {
            Layout.fillWidth: true
            Button {
                objectName: "datePickerCancel"
                Accessible.name: text
                flat: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "取消"))
                Material.foreground: Brand.red
                onClicked: sheet.ui.cancelDatePicker(sheet.ui.datePickerId)
            }
            PlainLabel {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: sheet.ui.datePickerTitle
                font.weight: Font.DemiBold
                color: Brand.titleText
            }
            Button {
                objectName: "datePickerDone"
                Accessible.name: text
                flat: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "確定"))
                Material.foreground: Brand.red
                onClicked: sheet.ui.chooseDate(sheet.ui.datePickerId, sheet.chosenDate())
            }
        }
        RowLayout {
            Layout.fillWidth: true
            Wheel {
                id: yearWheel
                objectName: "datePickerYear"
                Accessible.name: "year"
                first: sheet.firstYear
                digits: 4
                model: sheet.lastYear - sheet.firstYear + 1
            }
            Wheel {
                id: monthWheel
                objectName: "datePickerMonth"
                Accessible.name: "month"
                model: 12
            }
            Wheel {
                id: dayWheel
                objectName: "datePickerDay"
                Accessible.name: "day"
                model: 31
                validCount: sheet.dayCount
                onCurrentIndexChanged: clampLater.restart()
                onMovingChanged: clampLater.restart()
            }
        }
    }

    onWantedChanged: {
        if (!wanted)
            return
        const date = isNaN(ui.datePickerDate) ? new Date() : ui.datePickerDate
        yearWheel.currentIndex = Math.max(0, Math.min(date.getFullYear() - firstYear, lastYear - firstYear))
        monthWheel.currentIndex = date.getMonth()
        dayWheel.currentIndex = date.getDate() - 1
    }
}
