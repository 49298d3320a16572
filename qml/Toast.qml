import QtQuick 2.11

// One notification: fades in, stays, fades out.
Rectangle {
    id: root

    readonly property real defaultTime: 3000
    property real time: defaultTime
    readonly property real fadeTime: 300
    property real margin: 10

    signal finished()

    function show(text, duration) {
        message.text = text;
        time = duration !== undefined ? Math.max(duration, 2 * fadeTime) : defaultTime;
        animation.start();
    }

    width: parent ? parent.width - 2 * margin : 0
    anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
    height: message.height + margin
    radius: margin
    color: "#222222"
    opacity: 0
    // Read out as it appears, as plain words.
    Accessible.role: Accessible.AlertMessage
    Accessible.name: message.getText(0, message.length)

    // A read-only edit rather than a label: it gives the words without markup.
    TextEdit {
        id: message

        readOnly: true
        activeFocusOnPress: false
        selectByMouse: false
        Accessible.ignored: true

        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: root.margin / 2
        color: "white"
        textFormat: Text.RichText
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
    }

    SequentialAnimation on opacity {
        id: animation

        running: false

        NumberAnimation {
            to: 0.9
            duration: root.fadeTime
        }
        PauseAnimation {
            duration: root.time - 2 * root.fadeTime
        }
        NumberAnimation {
            to: 0
            duration: root.fadeTime
        }

        onStopped: root.finished()
    }
}
