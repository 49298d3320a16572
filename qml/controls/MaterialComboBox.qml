import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A combo box whose open list has an opaque, framed sheet under its items:
// the style's own sheet is only drawn where a GPU draws its shadow.
ComboBox {
    id: control

    // What the choice is about ("Mode"), for a screen reader.
    property string label: ""

    // The box's value for a screen reader as its description, or that it is
    // unavailable (the toolkit tells every box enabled). A change is said
    // aloud: the toolkit's own news of it is not spoken.
    Accessible.name: label
    Accessible.description: enabled ? displayText : qsTranslate("main", "unavailable")
    onCurrentIndexChanged: if (activeFocus && !popup.visible) said.say(textAt(currentIndex))
    onHighlightedIndexChanged: if (popup.visible && highlightedIndex >= 0) said.say(textAt(highlightedIndex))

    Announcer {
        id: said
    }

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
