pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material
import QtQuick.Layouts
import Zelk

// The date picker dialog (QmlUi.datePicker): year, month and day wheels with "取消" and "確定".
Popup {
    id: sheet
    property QmlUi ui: null
    property var model: ({})
    readonly property bool wanted: model.id !== undefined
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

    component Wheel: Tumbler {
        id: wheel
        property var labels: []
        property int validCount: labels.length
        Layout.fillWidth: true
        Layout.preferredHeight: 216
        visibleItemCount: 5
        model: labels
        delegate: Component {
            PlainLabel {
                id: cell
                required property var modelData
                required property int index
                objectName: wheel.objectName + "_" + index
                Accessible.name: modelData
                text: modelData
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
                onClicked: sheet.ui.cancelDatePicker(sheet.model.id)
            }
            PlainLabel {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: sheet.model.title || ""
                font.weight: Font.DemiBold
                color: Brand.titleText
            }
            Button {
                objectName: "datePickerDone"
                Accessible.name: text
                flat: true
                text: Localized.text(QT_TRANSLATE_NOOP("Zelk", "確定"))
                Material.foreground: Brand.red
                onClicked: sheet.ui.chooseDate(sheet.model.id, sheet.chosenDate())
            }
        }
        RowLayout {
            Layout.fillWidth: true
            Wheel {
                id: yearWheel
                objectName: "datePickerYear"
                Accessible.name: "year"
                labels: { const l = []; for (let y = sheet.firstYear; y <= sheet.lastYear; ++y) l.push(String(y)); return l }
            }
            Wheel {
                id: monthWheel
                objectName: "datePickerMonth"
                Accessible.name: "month"
                labels: ["01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"]
            }
            Wheel {
                id: dayWheel
                objectName: "datePickerDay"
                Accessible.name: "day"
                labels: { const l = []; for (let d = 1; d <= 31; ++d) l.push(d < 10 ? "0" + d : String(d)); return l }
                validCount: sheet.dayCount
                onCurrentIndexChanged: clampLater.restart()
                onMovingChanged: clampLater.restart()
            }
        }
    }

    onWantedChanged: {
        if (!wanted)
            return
        const date = model.date instanceof Date && !isNaN(model.date) ? model.date : new Date()
        yearWheel.currentIndex = Math.max(0, Math.min(date.getFullYear() - firstYear, lastYear - firstYear))
        monthWheel.currentIndex = date.getMonth()
        dayWheel.currentIndex = date.getDate() - 1
    }
}
