import QtQuick 2.11
import QtQuick.Controls 2.4

// Says in words why a list shows nothing, in the middle of where it would be.
Label {
    property Item list: null

    // On the list itself, not in its scrolling content.
    parent: list
    anchors.centerIn: parent
    width: parent ? parent.width - 20 : 0
    visible: list !== null && list.count === 0 && text !== ""
    horizontalAlignment: Text.AlignHCenter
    wrapMode: Text.WordWrap
    textFormat: Text.PlainText
    font.pointSize: Theme.tableText
    opacity: 0.7
}
