import QtQuick 2.11

// Words for a screen reader alone, of a change the eye sees elsewhere (the
// tool bar's link state). A notification is spoken when it appears, so each
// one is hidden and shown again.
Item {
    id: announcer

    function say(text) {
        visible = false;
        words = text;
        visible = true;
    }

    property string words: ""

    visible: false
    width: 1
    height: 1
    Accessible.role: Accessible.Notification
    Accessible.name: words
}
