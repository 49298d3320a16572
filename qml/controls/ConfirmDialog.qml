import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3

// A question for the operator before a step that cannot be taken back. The
// button that takes it says what it does ("Reboot"), the question what
// follows; `accepted` follows only that button.
AppDialog {
    id: dialog

    property alias text: question.text
    // What the step does, as a verb.
    property string acceptText: qsTranslate("main", "OK")
    // A step that destroys what the operator set is drawn in red.
    property bool destructive: false

    function labelButtons() {
        var take = standardButton(Dialog.Ok);
        if (!take)
            return;
        take.text = acceptText;
        take.Material.foreground = destructive ? Material.color(Material.Red) : Material.accent;
    }

    // Room for the question and a button that says what it does.
    widthShare: 2 / 3
    standardButtons: Dialog.Ok | Dialog.Cancel
    onAcceptTextChanged: labelButtons()
    Component.onCompleted: labelButtons()
    // The harmless answer is the one a stray Enter or Space gives.
    onOpened: standardButton(Dialog.Cancel).forceActiveFocus(Qt.TabFocusReason)

    Label {
        id: question

        width: parent.width
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
    }
}
