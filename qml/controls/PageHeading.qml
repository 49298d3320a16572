import QtQuick 2.11
import QtQuick.Controls 2.4

// A page's name at its top. A page just shown gives it the keyboard's focus
// so that a screen reader says where the operator now is; Tab goes on from
// it to the page's first control.
Label {
    id: heading

    visible: text !== ""
    font.bold: true
    font.pixelSize: 18
    elide: Text.ElideRight
    bottomPadding: 4
    Accessible.role: Accessible.Heading
    Accessible.name: text
    Accessible.focusable: true
}
