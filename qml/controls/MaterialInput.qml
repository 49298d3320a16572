import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A framed single-line text field; the frame thickens in the accent colour
// while the field has focus.
FocusScope {
    id: wrapper

    property alias text: field.text
    property alias echoMode: field.echoMode
    property alias font: field.font
    property alias validator: field.validator
    property alias readOnly: field.readOnly
    // What the field holds ("SSID"), for a screen reader.
    property string label: ""
    // Shown in the empty field: what may be typed there.
    property string hint: ""

    signal accepted()

    implicitWidth: 200
    implicitHeight: field.height + 2
    activeFocusOnTab: false

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: field.activeFocus ? 2 : 1
        border.color: !field.enabled ? Qt.darker(Material.foreground)
                                     : field.activeFocus ? Material.accent : Material.primary
    }

    TextField {
        id: field

        objectName: wrapper.objectName + "Field"
        focus: true
        // The field outlives its frame for a moment when a dialog holding
        // it is torn down with the window.
        anchors.left: parent ? parent.left : undefined
        anchors.leftMargin: 5
        anchors.right: parent ? parent.right : undefined
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        // The style leaves room for an underline below the text; in a frame
        // the text sits in the middle, level with its label.
        topPadding: 10
        bottomPadding: 10
        selectByMouse: true
        Accessible.name: wrapper.label
        // What the field holds, which a screen reader does not read from the
        // toolkit's field (a password's label instead), or that it is
        // unavailable: the toolkit tells every field enabled.
        Accessible.description: !enabled ? qsTranslate("main", "unavailable")
                              : echoMode === TextInput.Password || text === "" ? placeholderText : text
        onAccepted: wrapper.accepted()
        // The toolkit's bridge gives a password field no name whatever is
        // set; the label reaches a screen reader as its description, which
        // the toolkit takes from the placeholder.
        placeholderText: echoMode === TextInput.Password ? wrapper.label : wrapper.hint
        background: Item {
        }
    }
}
