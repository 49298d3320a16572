import QtQuick 2.11
import QtQuick.Controls 2.4

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

    popup.background: MaterialPopupBackground {
    }
}
