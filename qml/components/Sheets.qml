pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Zelk

// What QmlUi shows above every screen: alerts, action sheets, pickers and the spinner. The window makes
// it once its first frame is drawn, or at once when one of them is asked for before (see Main.qml).
Item {
    id: sheets
    required property QmlUi ui
    // The height the on-screen keyboard takes from the bottom (Main.qml).
    property real keyboardHeight: 0

    AlertDialog {
        ui: sheets.ui
        keyboardHeight: sheets.keyboardHeight
    }
    ActionSheet {
        ui: sheets.ui
    }
    PickerSheet {
        ui: sheets.ui
    }
    DatePickerSheet {
        ui: sheets.ui
    }
    SpinnerOverlay {
        parent: Overlay.overlay
        ui: sheets.ui
    }
}
