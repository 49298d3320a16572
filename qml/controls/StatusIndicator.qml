import QtQuick 2.11
import QtQuick.Controls.Material 2.3

// A tool-bar status: each state shows its own icon, colour and tooltip.
MaterialIndicator {
    id: indicator

    // State name -> { "icon", "color", "tooltip" }.
    property var looks: ({})
    // The state in which the icon blinks, if any.
    property string blinkingIn: ""

    readonly property var look: looks[state] || ({})

    font.pointSize: 16
    text: look.icon || ""
    color: look.color || Material.accent
    tooltip: look.tooltip || ""
    onStateChanged: {
        if (state === blinkingIn)
            start();
        else
            stop();
    }
}
