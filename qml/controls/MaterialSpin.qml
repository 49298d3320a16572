import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// An editable number box showing plain numbers (8081, never 8,081).
SpinBox {
    id: control

    // What the number is ("Port"), for a screen reader.
    property string label: ""

    // The typed number, if it is one, becomes the value: Up then goes on
    // from what the field shows, not from the value before the typing.
    function takeTyped() {
        var typed = valueFromText(contentItem.text, locale);
        if (!isNaN(typed))
            value = Math.max(from, Math.min(to, typed));
    }

    editable: true
    Accessible.name: label
    onValueChanged: if (activeFocus) said.say(textFromValue(value, locale))

    Announcer {
        id: said
    }
    textFromValue: function(value) {
        return value.toString();
    }
    valueFromText: function(text) {
        return parseInt(text, 10);
    }

    background: Rectangle {
        implicitWidth: 40
        color: "transparent"
        border.width: control.activeFocus ? 2 : 1
        border.color: !control.enabled ? Qt.darker(Material.foreground)
                                       : control.activeFocus ? Material.accent : Material.primary
    }

    up.indicator: Rectangle {
        x: control.mirrored ? 0 : control.width - width
        height: control.height
        implicitWidth: 40
        implicitHeight: 32
        color: control.up.pressed ? Material.accent : Material.primary
        border.color: control.enabled ? Material.primary : Material.background

        Text {
            anchors.fill: parent
            text: MaterialFont.icon.add
            font.family: MaterialFont.fontName
            font.pointSize: Theme.bodyText
            fontSizeMode: Text.Fit
            color: "white"
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    down.indicator: Rectangle {
        x: control.mirrored ? control.width - width : 0
        height: control.height
        implicitWidth: 40
        implicitHeight: 32
        color: control.down.pressed ? Material.accent : Material.primary
        border.color: control.enabled ? Material.primary : Material.background

        Text {
            anchors.fill: parent
            text: MaterialFont.icon.remove
            font.family: MaterialFont.fontName
            font.pointSize: Theme.bodyText
            fontSizeMode: Text.Fit
            color: "white"
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
        }
    }

    contentItem: TextInput {
        z: 2
        text: control.textFromValue(control.value, control.locale)
        font: control.font
        color: "black"
        selectionColor: Material.accent
        selectedTextColor: "#ffffff"
        horizontalAlignment: Qt.AlignHCenter
        verticalAlignment: Qt.AlignVCenter
        readOnly: !control.editable
        validator: control.validator
        inputMethodHints: Qt.ImhFormattedNumbersOnly
        selectByMouse: true
        // The focus sits on this field, not on the box: the value is told
        // here too, and that it is unavailable (the toolkit tells every
        // field enabled).
        Accessible.name: control.label
        Accessible.editable: control.editable
        Accessible.description: control.enabled ? text : qsTranslate("main", "unavailable")
        Keys.onPressed: {
            if (event.key === Qt.Key_Up || event.key === Qt.Key_Down
                    || event.key === Qt.Key_PageUp || event.key === Qt.Key_PageDown)
                control.takeTyped();
            event.accepted = false;
        }
    }
}
