import QtQuick
import QtQuick.Dialogs
import Zelk

// The library's file dialog, filtered to images. Main.qml makes it on the first photo request (opened as
// it is made), so that Qt Quick Dialogs is not loaded with the first screen; later requests open it again.
FileDialog {
    id: dialog
    required property QmlUi ui
    required property int requestId

    title: Localized.text(QT_TRANSLATE_NOOP("Zelk", "選擇照片"))
    nameFilters: ["Images (*.png *.jpg *.jpeg *.heic *.bmp)"]
    onAccepted: dialog.ui.photoChosen(dialog.requestId, dialog.selectedFile)
    onRejected: dialog.ui.photoCancelled(dialog.requestId)
    Component.onCompleted: dialog.open()

    Connections {
        target: dialog.ui
        function onPhotoRequested(id, source) {
            dialog.requestId = id
            dialog.open()
        }
    }
}
