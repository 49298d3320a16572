import QtQuick 2.11
import QtQuick.Layouts 1.3

// The certificate and key slots, and the dialog that picks their files;
// scrolled where the window is too short for both.
ScrollingPane {
    id: pane

    framed: false
    property alias certificateItem: certificateItem
    property alias keyItem: keyItem
    property alias fileDialog: fileDialog

    function pick(file, target) {
        console.log("Selected file " + file + " for " + target);
        var item = null;
        if (certificateItem.title === target)
            item = certificateItem;
        else if (keyItem.title === target)
            item = keyItem;
        if (item === null)
            return;
        item.openFile(file);
        // A PEM file is converted by the intake, which hands the DER bytes
        // back through amendData before it returns.
        if (item.udata !== null && !runner.validateDrop(target, item.udata))
            item.reset();
    }

    Connections {
        target: runner
        onAmendData: {
            if (name === MQTT_CERT_NAME)
                certificateItem.udata = data;
            else if (name === MQTT_KEY_NAME)
                keyItem.udata = data;
        }
    }

    GridLayout {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        flow: pane.width > pane.height * 1.9 ? GridLayout.LeftToRight : GridLayout.TopToBottom

        MaterialLoadItem {
            id: certificateItem

            objectName: "certificateItem"
            title: MQTT_CERT_NAME
            Layout.fillWidth: true
            onGetfile: {
                fileDialog.target = title;
                fileDialog.open();
            }
            onUpload: runner.upload(udata, title)
        }

        MaterialLoadItem {
            id: keyItem

            objectName: "keyItem"
            title: MQTT_KEY_NAME
            Layout.fillWidth: true
            onGetfile: {
                fileDialog.target = title;
                fileDialog.open();
            }
            onUpload: runner.upload(udata, title)
        }
    }

    // The system's own dialog, as for every file the operator picks.
    SystemFileDialog {
        id: fileDialog

        // The slot the file is for: its name on the device.
        property string target: ""
        readonly property bool forKey: target === MQTT_KEY_NAME

        // The file picked, as if in the dialog.
        function choose(file) {
            pane.pick(file, target);
        }

        objectName: "fileDialog"
        title: forKey ? qsTr("Choose the MQTT key") : qsTr("Choose the MQTT certificate")
        folder: runner.documentsFolder()
        nameFilters: forKey ? [qsTr("Keys (*.pem *.key *.der)"), qsTr("All files (*)")]
                            : [qsTr("Certificates (*.pem *.crt *.cer *.der)"), qsTr("All files (*)")]
        onAccepted: choose(file)
    }
}
