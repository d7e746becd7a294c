import QtQuick
import QtQuick.Controls

// A label that draws its text exactly as written. Texts from the services and from other users may hold
// markup ("<img src=…>"), which a label's default format would render, and whose images it would fetch.
// The views draw every text through this (a test fails on a Text or Label without a textFormat).
Label {
    textFormat: Text.PlainText
}
