import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3

// Page 2: the device's service mode and Wi-Fi settings.
MaterialPane {
    id: page

    // Whether the fields hold what this connection's device sent: until then
    // Apply would write guesses over the device's own settings.
    property bool configRead: false

    signal finished()

    // The index of `value` in a choice model, or -1.
    function indexOf(model, value) {
        for (var i = 0; i < model.count; ++i) {
            if (model.get(i).value === value)
                return i;
        }
        return -1;
    }

    function choose(box, model, key, value, fallback) {
        var i = indexOf(model, value);
        if (i < 0) {
            console.log("Unknown " + key + " " + value);
            i = fallback;
        }
        box.currentIndex = i;
    }

    function setup(config) {
        choose(sysMode, sysModeModel, "sys-mode", config["sys-mode"], 0);
        choose(netMode, netModeModel, "net-mode", config["net-mode"], 1);
        netSsid.text = config.hasOwnProperty("net-ssid") ? config["net-ssid"] : "";
        netPassword.text = config.hasOwnProperty("net-pwd") ? config["net-pwd"] : "";
        choose(netAuthMode, netAuthModeModel, "net-auth", config["net-auth"], 4);
        configRead = true;
    }

    function apply() {
        runner.updateConfig({
            "sys-mode": sysModeModel.get(sysMode.currentIndex).value,
            "net-mode": netModeModel.get(netMode.currentIndex).value,
            "net-ssid": netSsid.text,
            "net-pwd": netPassword.text,
            "net-auth": netAuthModeModel.get(netAuthMode.currentIndex).value
        });
        finished();
    }

    ListModel {
        id: sysModeModel

        ListElement {
            key: qsTr("Web Server")
            value: "web"
        }
        ListElement {
            key: qsTr("Cloud/MQTT")
            value: "mqtt"
        }
        ListElement {
            key: qsTr("TCP Server")
            value: "tcp"
        }
    }

    ListModel {
        id: netModeModel

        ListElement {
            key: qsTr("Infrastructure")
            value: "if"
        }
        ListElement {
            key: qsTr("Access Point")
            value: "ap"
        }
    }

    ListModel {
        id: netAuthModeModel

        ListElement {
            key: qsTr("Open Network")
            value: "open"
        }
        ListElement {
            key: qsTr("WEP")
            value: "wep"
        }
        ListElement {
            key: qsTr("WPA")
            value: "wpa"
        }
        ListElement {
            key: qsTr("WPA2")
            value: "wpa2"
        }
        ListElement {
            key: qsTr("WPA/WPA2")
            value: "wpa-wpa2"
        }
    }

    // Factory settings take the device off its network and the cloud at once.
    ConfirmDialog {
        id: factoryDialog

        objectName: "factoryDialog"
        title: qsTr("Factory Defaults")
        text: qsTr("Reset the device configuration to factory settings?")
        onAccepted: {
            runner.resetConfig();
            page.finished();
        }
    }

    GridLayout {
        anchors.fill: parent
        columns: 2

        Label {
            text: qsTr("Mode") + ":"
        }
        MaterialComboBox {
            id: sysMode

            objectName: "sysMode"
            model: sysModeModel
            textRole: "key"
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("WiFi Mode") + ":"
        }
        MaterialComboBox {
            id: netMode

            objectName: "netMode"
            model: netModeModel
            textRole: "key"
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("SSID") + ":"
        }
        MaterialInput {
            id: netSsid

            objectName: "netSsid"
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Password") + ":"
        }
        MaterialInput {
            id: netPassword

            objectName: "netPassword"
            echoMode: TextInput.Password
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Auth Mode") + ":"
        }
        MaterialComboBox {
            id: netAuthMode

            objectName: "netAuthMode"
            model: netAuthModeModel
            textRole: "key"
            enabled: netMode.currentIndex === 1
            Layout.fillWidth: true
        }
        Label {
            objectName: "notReadNotice"
            text: qsTr("Device configuration has not been read yet")
            visible: !page.configRead
            color: Material.color(Material.Red)
            wrapMode: Text.Wrap
            Layout.columnSpan: 2
            Layout.fillWidth: true
        }
        RowLayout {
            Layout.columnSpan: 2
            Layout.alignment: Qt.AlignRight

            MaterialButton {
                objectName: "factoryButton"
                text: qsTr("Factory Defaults")
                micon: MaterialFont.icon["delete"]
                onClicked: factoryDialog.open()
            }
            MaterialButton {
                objectName: "applyButton"
                enabled: page.configRead
                text: qsTr("Apply")
                micon: MaterialFont.icon.done
                onClicked: page.apply()
            }
        }
    }
}
