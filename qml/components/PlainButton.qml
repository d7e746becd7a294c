import QtQuick
import QtQuick.Controls
import QtQuick.Controls.Material

// A button whose title is drawn exactly as written (the style's own content renders markup), for titles
// that are not a fixed text of the view: a server's name of a delivery method, an alert's buttons.
Button {
    id: control
    contentItem: PlainLabel {
        text: control.text
        font: control.font
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: !control.enabled ? control.Material.hintTextColor
             : control.flat && control.highlighted ? control.Material.accentColor
             : control.highlighted ? control.Material.primaryHighlightedTextColor : control.Material.foreground
    }
}
