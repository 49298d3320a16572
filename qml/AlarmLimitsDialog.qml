import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Layouts 1.3

// A device's alarm limits, each left empty where there is none; kept with
// its saved connection.
AppDialog {
    id: dialog

    // What the limits are written back through.
    property var save: null

    function openWith(title, limits, save) {
        dialog.title = title;
        dialog.save = save;
        var fields = [[temperatureLow, "temperatureLow"], [temperatureHigh, "temperatureHigh"],
                      [humidityLow, "humidityLow"], [humidityHigh, "humidityHigh"],
                      [silentSeconds, "silentSeconds"]];
        fields.forEach(function(f) {
            f[0].text = limits[f[1]] === undefined ? "" : String(limits[f[1]]);
        });
        mqttRequired.checked = limits.mqttRequired === true;
        open();
    }

    function read(field) {
        var text = field.text.trim().replace(",", ".");
        return text === "" ? undefined : Number(text);
    }

    standardButtons: Dialog.Ok | Dialog.Cancel
    onOpened: temperatureLow.forceActiveFocus(Qt.TabFocusReason)
    onAccepted: {
        var limits = { "mqttRequired": mqttRequired.checked };
        [[temperatureLow, "temperatureLow"], [temperatureHigh, "temperatureHigh"],
         [humidityLow, "humidityLow"], [humidityHigh, "humidityHigh"],
         [silentSeconds, "silentSeconds"]].forEach(function(f) {
            var value = dialog.read(f[0]);
            if (value !== undefined && !isNaN(value))
                limits[f[1]] = value;
        });
        if (save)
            save(limits);
    }

    GridLayout {
        width: parent.width
        columns: 2

        Label {
            text: qsTr("Temperature below (℃)")
        }
        MaterialInput {
            id: temperatureLow

            objectName: "temperatureLow"
            label: qsTr("Temperature below (℃)")
            activeFocusOnTab: true
            onAccepted: dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Temperature above (℃)")
        }
        MaterialInput {
            id: temperatureHigh

            objectName: "temperatureHigh"
            label: qsTr("Temperature above (℃)")
            activeFocusOnTab: true
            onAccepted: dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Humidity below (%)")
        }
        MaterialInput {
            id: humidityLow

            objectName: "humidityLow"
            label: qsTr("Humidity below (%)")
            activeFocusOnTab: true
            onAccepted: dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Humidity above (%)")
        }
        MaterialInput {
            id: humidityHigh

            objectName: "humidityHigh"
            label: qsTr("Humidity above (%)")
            activeFocusOnTab: true
            onAccepted: dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("No reading for (s)")
        }
        MaterialInput {
            id: silentSeconds

            objectName: "silentSeconds"
            label: qsTr("No reading for (s)")
            activeFocusOnTab: true
            onAccepted: dialog.accept()
            Layout.fillWidth: true
        }
        CheckBox {
            id: mqttRequired

            objectName: "mqttRequired"
            text: qsTr("MQTT must run")
            Accessible.name: text
            Layout.columnSpan: 2
        }
    }
}
