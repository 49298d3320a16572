import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A pane framed in the primary colour.
Pane {
    background: Rectangle {
        color: "transparent"
        border.width: 1
        border.color: Material.primary
    }
}
