import QtQuick 2.11
import QtQuick.Controls 2.4

// The identified device's information table (rich text built by the runner,
// device texts escaped there).
AppDialog {
    id: dialog

    property alias info: devLabel.text

    title: qsTranslate("main", "Device Info")
    widthShare: 2 / 3
    minimumWidth: 400
    standardButtons: Dialog.Close

    Label {
        id: devLabel

        width: parent.width
        textFormat: Text.RichText
        wrapMode: Text.Wrap
        font.pointSize: 18
    }
}
