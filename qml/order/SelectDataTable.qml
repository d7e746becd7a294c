import QtQuick
import Zelk

// The table of the searchable pick list: a list whose rows report a choice to `pickList`.
ListView {
    required property SelectDataViewController pickList
}
