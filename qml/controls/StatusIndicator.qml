import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// A tool-bar status: each state shows its own icon, colour and tooltip.
MaterialIndicator {
    id: indicator

    // State name -> { "icon", "color", "tooltip" }.
    property var looks: ({})
    // The states in which the icon blinks.
    property var blinkingIn: []

    readonly property var look: looks[state] || ({})

    font.pointSize: Theme.toolGlyph
    text: look.icon || ""
    color: look.color || Material.accent
    tooltip: look.tooltip || ""
    onStateChanged: {
        if (blinkingIn.indexOf(state) >= 0)
            start();
        else
            stop();
    }
}
