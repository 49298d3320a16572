import QtQuick 2.11

// One notification: fades in, stays, fades out.
Rectangle {
    id: root

    objectName: "toastItem"

    property real time: 3000
    readonly property real fadeTime: 300
    property real margin: 10

    signal finished()

    // Unless told otherwise, shown long enough to be read: three seconds,
    // and more for a long text, up to ten.
    function show(text, duration) {
        message.text = text;
        time = duration !== undefined ? Math.max(duration, 2 * fadeTime)
                                      : Math.min(10000, Math.max(3000, 60 * message.length));
        animation.start();
        visible = true;
    }

    // As wide as its words, up to the strip's width.
    width: parent ? Math.min(parent.width, message.implicitWidth + 2 * margin) : 0
    anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
    // Three lines at most: the strip is taken from the pages. A screen
    // reader has the whole text.
    height: Math.min(message.contentHeight, 3 * message.contentHeight / Math.max(1, message.lineCount))
            + margin
    clip: true
    radius: margin
    color: "#222222"
    opacity: 0
    // Read out as it appears, as plain words: a screen reader speaks a
    // notification when it is shown, not one made already visible.
    visible: false
    Accessible.role: Accessible.Notification
    Accessible.name: message.getText(0, message.length)

    // A read-only edit rather than a label: it gives the words without markup.
    TextEdit {
        id: message

        readOnly: true
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
