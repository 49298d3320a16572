import QtQuick 2.11

// The notification strip: newest at the bottom, older ones move up.
ListView {
    id: root

    property int shown: 0
    // The strip is taken from the pages: one notification in a short
    // window, up to three in a tall one; the oldest give way.
    readonly property int maxShown: parent ? Math.max(1, Math.min(3, Math.floor(parent.height / 250))) : 1

    function show(text, duration) {
        for (var i = 0; i < toastModel.count; ++i) {
            if (toastModel.get(i).text === text)
                return;
        }
        while (toastModel.count >= maxShown)
            toastModel.remove(toastModel.count - 1);
        shown += 1;
        toastModel.insert(0, {
            "text": text,
            "duration": duration === undefined ? -1 : duration,
            "uid": shown
        });
    }

    function discard(uid) {
        for (var i = 0; i < toastModel.count; ++i) {
            if (toastModel.get(i).uid === uid) {
                toastModel.remove(i);
                return;
            }
        }
    }

    z: Infinity
    // Room for a path on one or two lines, within the window.
    width: parent ? Math.min(parent.width - 20, 640) : 0
    height: contentHeight
    // The overlay goes before the strip when the window closes.
    anchors.horizontalCenter: parent ? parent.horizontalCenter : undefined
    anchors.bottom: parent ? parent.bottom : undefined
    anchors.bottomMargin: 10
    spacing: 5
    verticalLayoutDirection: ListView.BottomToTop
    interactive: false
    // Notifications lie over buttons, and over dialogs, whose clicks they
    // must leave to them: a list that takes no input is passed by.
    enabled: false
    model: ListModel {
        id: toastModel
    }

    displaced: Transition {
        NumberAnimation {
            properties: "y"
            easing.type: Easing.InOutQuad
        }
    }

    delegate: Toast {
        // A finished notification leaves the list; kept, they would pile up
        // over a long run.
        onFinished: root.discard(uid)
        Component.onCompleted: {
            if (duration < 0)
                show(text);
            else
                show(text, duration);
        }
    }
}
