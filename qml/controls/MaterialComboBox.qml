import QtQuick 2.11
import QtQuick.Controls 2.4

// A combo box whose open list has an opaque, framed sheet under its items:
// the style's own sheet is only drawn where a GPU draws its shadow.
ComboBox {
    id: control

    popup.background: MaterialPopupBackground {
    }
}
