import QtQuick 2.11
import QtQuick.Controls 2.4

// A table of rows that the keyboard reads too: Tab reaches it, the arrows,
// Page Up, Page Down, Home and End choose a row and scroll to it.
ListView {
    id: list

    anchors.fill: parent
    anchors.margins: 5
    // The scroll bar stands beside the rows, not over them.
    anchors.rightMargin: 5 + bar.width
    clip: true
    activeFocusOnTab: true
    highlightMoveDuration: 0
    Accessible.role: Accessible.List
    ScrollBar.vertical: MaterialScrollBar {
        id: bar

        parent: list.parent
        anchors.top: list.top
        anchors.bottom: list.bottom
        anchors.left: list.right
    }
    Keys.onPressed: {
        var page = Math.max(1, Math.floor(height / 40));
        if (event.key === Qt.Key_PageDown)
            currentIndex = Math.min(count - 1, currentIndex + page);
        else if (event.key === Qt.Key_PageUp)
            currentIndex = Math.max(0, currentIndex - page);
        else if (event.key === Qt.Key_Home)
            currentIndex = 0;
        else if (event.key === Qt.Key_End)
            currentIndex = count - 1;
        else
            return;
        event.accepted = true;
    }
}
