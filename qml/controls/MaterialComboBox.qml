import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A combo box whose open list has an opaque, framed sheet under its items:
// the style's own sheet is only drawn where a GPU draws its shadow.
ComboBox {
    id: control

    // What the choice is about ("Mode"), for a screen reader.
    property string label: ""

    Accessible.name: label
    Accessible.description: displayText

    FocusFrame {
    }

    // The style's text inside is only the shown value, which the box itself
    // already gives.
    Component.onCompleted: contentItem.Accessible.ignored = true

    popup.background: MaterialPopupBackground {
    }

    // The style's own rows, on a background the software renderer draws whole.
    delegate: AppMenuItem {
        width: ListView.view.width
        text: control.textAt(index)
        Material.foreground: control.currentIndex === index ? ListView.view.contentItem.Material.accent
                                                             : ListView.view.contentItem.Material.foreground
        highlighted: control.highlightedIndex === index
        hoverEnabled: control.hoverEnabled
    }
}
