import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// Searches the network for devices and lists them as they answer; one is
// chosen to connect to, or kept as a saved connection. Closing the dialog
// ends a search under way.
AppDialog {
    id: dialog

    readonly property var finder: runner.finder
    readonly property var found: finder.devices

    // A device was chosen to connect to, or to keep.
    signal chosen(string host, int port)
    signal saveAsked(string name, string host, int port)

    function search() {
        if (finder.start(rangeEdit.text))
            list.forceActiveFocus();
    }

    function current(role) {
        return list.currentItem ? list.currentItem[role] : "";
    }

    function choose() {
        if (!list.currentItem)
            return;
        chosen(current("host"), current("port"));
        close();
    }

    title: qsTr("Find devices")
    widthShare: 2 / 3
    standardButtons: Dialog.Close
    onOpened: rangeEdit.forceActiveFocus()
    onClosed: finder.cancel()

    RowLayout {
        width: parent.width

        MaterialInput {
            id: rangeEdit

            objectName: "rangeEdit"
            label: qsTr("Addresses to search")
            onAccepted: dialog.search()
            Layout.fillWidth: true
        }
        MaterialButton {
            objectName: "searchButton"
            text: finder.running ? qsTr("Cancel") : qsTr("Search")
            micon: finder.running ? MaterialFont.icon.close : MaterialFont.icon.search
            onClicked: finder.running ? finder.cancel() : dialog.search()
        }
    }
    Label {
        objectName: "rangeHint"
        width: parent.width
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        color: finder.error ? Material.color(Material.Red) : Material.foreground
        text: finder.error ? finder.error
                           : qsTr("Empty: this computer's networks (%1). Or a network (192.168.1.0/24), a range (192.168.1.10-60) or an address, with :port if not 8081.")
                             .arg(finder.ownNetworks() || "—")
    }
    ProgressBar {
        objectName: "searchProgress"
        width: parent.width
        from: 0
        to: Math.max(1, finder.total)
        value: finder.tried
        Accessible.name: progressText.text
    }
    Label {
        id: progressText

        objectName: "progressText"
        width: parent.width
        wrapMode: Text.Wrap
        text: qsTr("%1 of %2 addresses tried, devices found: %3").arg(finder.tried).arg(finder.total)
              .arg(finder.found)
    }
    Item {
        width: parent.width
        height: 180

        RowList {
            id: list

            objectName: "foundList"
            model: dialog.found
            Accessible.name: qsTr("Devices found")
            // Rows come in by address, the chosen one keeping its device;
            // once the view has placed them, a list with rows has a choice.
            onCountChanged: Qt.callLater(function() {
                if (list.currentIndex < 0 && list.count > 0)
                    list.currentIndex = 0;
            })
            Keys.onReturnPressed: dialog.choose()
            Keys.onEnterPressed: dialog.choose()

            delegate: ItemDelegate {
                id: row

                readonly property string host: model.host
                readonly property int port: model.port
                readonly property string name: runner.suggestedNameFor(model.deviceModel, model.host)

                width: list.width
                text: model.endpoint + "  " + model.deviceModel + "  " + model.version
                focusPolicy: Qt.NoFocus
                highlighted: ListView.isCurrentItem
                Accessible.role: Accessible.ListItem
                Accessible.name: text
                onClicked: {
                    list.currentIndex = index;
                    dialog.choose();
                }

                contentItem: Text {
                    text: row.text
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    color: Material.foreground
                    verticalAlignment: Text.AlignVCenter
                }

                background: RowBackground {
                    implicitHeight: Material.delegateHeight
                }

                FocusFrame {
                    shown: row.ListView.isCurrentItem && list.activeFocus
                }
            }
        }
        EmptyListNote {
            list: list
            text: finder.running ? "" : finder.total > 0 ? qsTr("No device answered")
                                                          : qsTr("Search to list the devices here")
        }
    }
    RowLayout {
        width: parent.width

        Item {
            Layout.fillWidth: true
        }
        MaterialButton {
            objectName: "foundSaveButton"
            enabled: list.currentItem !== null
            text: qsTr("Save")
            micon: MaterialFont.icon.save
            onClicked: dialog.saveAsked(dialog.current("name"), dialog.current("host"),
                                        dialog.current("port"))
        }
        MaterialButton {
            objectName: "foundConnectButton"
            enabled: list.currentItem !== null
            text: qsTr("Connect")
            micon: MaterialFont.icon.send
            onClicked: dialog.choose()
        }
    }
}
