import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Layouts 1.3

// One upload slot: a picked file's bytes, its label, and the buttons to clear,
// pick and upload it. The title is the file's name on the device.
GroupBox {
    id: control

    property var udata: null
    property string source: ""

    signal upload()
    signal getfile()

    function openFile(file) {
        var refusal = q_dropHandler.refusal(file);
        if (refusal !== "") {
            reset();
            runner.alert(refusal);
            return;
        }
        udata = q_dropHandler.processInput(file);
        source = q_dropHandler.fileInfo(file);
    }

    function reset() {
        udata = null;
        source = "";
    }

    ColumnLayout {
        anchors.fill: parent

        // The file picked, by its path.
        MaterialInput {
            id: field

            objectName: "source"
            label: control.title
            text: control.source
            readOnly: true
            Layout.fillWidth: true
        }

        RowLayout {
            Layout.fillWidth: true

            MaterialToolButton {
                objectName: "clearButton"
                text: MaterialFont.icon.clear
                tooltip: qsTr("Clear")
                onClicked: {
                    control.udata = null;
                    control.source = "";
                }
            }
            MaterialToolButton {
                objectName: "openButton"
                text: MaterialFont.icon.folder_open
                tooltip: qsTr("Open")
                onClicked: control.getfile()
            }
            Item {
                Layout.fillWidth: true
            }
            MaterialButton {
                objectName: "uploadButton"
                text: qsTr("Upload")
                micon: MaterialFont.icon.send
                enabled: control.udata !== null
                onClicked: control.upload()
            }
        }
    }
}
