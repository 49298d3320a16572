import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
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
        return text === "" || text === "-" ? undefined : Number(text);
    }

    // A lower limit at or above its upper one would hold an alarm up for good.
    function crossed(low, high) {
        var a = read(low), b = read(high);
        return a !== undefined && b !== undefined && a >= b;
    }

    readonly property string problem: crossed(temperatureLow, temperatureHigh)
                                      || crossed(humidityLow, humidityHigh)
                                      ? qsTr("A lower limit must be below its upper limit") : ""

    standardButtons: Dialog.Ok | Dialog.Cancel
    onOpened: temperatureLow.forceActiveFocus(Qt.TabFocusReason)
    Component.onCompleted: {
        var ok = standardButton(Dialog.Ok);
        ok.enabled = Qt.binding(function() { return dialog.problem === ""; });
    }
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

    // Numbers only: a temperature may be below zero, the rest may not.
    RegExpValidator {
        id: signedNumber

        regExp: /-?\d{0,3}([.,]\d{0,2})?/
    }
    RegExpValidator {
        id: number

        regExp: /\d{0,3}([.,]\d{0,2})?/
    }
    RegExpValidator {
        id: seconds

        regExp: /\d{0,5}/
    }

    GridLayout {
        id: grid

        width: parent.width
        // Narrow, each label stands above its field.
        columns: width >= 380 ? 2 : 1

        Label {
            text: qsTr("Temperature below (℃)")
        }
        MaterialInput {
            id: temperatureLow

            objectName: "temperatureLow"
            label: qsTr("Temperature below (℃)")
            validator: signedNumber
            activeFocusOnTab: true
            onAccepted: if (dialog.problem === "") dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Temperature above (℃)")
        }
        MaterialInput {
            id: temperatureHigh

            objectName: "temperatureHigh"
            label: qsTr("Temperature above (℃)")
            validator: signedNumber
            activeFocusOnTab: true
            onAccepted: if (dialog.problem === "") dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Humidity below (%)")
        }
        MaterialInput {
            id: humidityLow

            objectName: "humidityLow"
            label: qsTr("Humidity below (%)")
            validator: number
            activeFocusOnTab: true
            onAccepted: if (dialog.problem === "") dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Humidity above (%)")
        }
        MaterialInput {
            id: humidityHigh

            objectName: "humidityHigh"
            label: qsTr("Humidity above (%)")
            validator: number
            activeFocusOnTab: true
            onAccepted: if (dialog.problem === "") dialog.accept()
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("No reading for (s)")
        }
        MaterialInput {
            id: silentSeconds

            objectName: "silentSeconds"
            label: qsTr("No reading for (s)")
            validator: seconds
            activeFocusOnTab: true
            onAccepted: if (dialog.problem === "") dialog.accept()
            Layout.fillWidth: true
        }
        CheckBox {
            id: mqttRequired

            objectName: "mqttRequired"
            text: qsTr("MQTT must run")
            Accessible.name: text
            Layout.columnSpan: grid.columns
        }
        Label {
            objectName: "limitsProblem"
            text: dialog.problem
            visible: text !== ""
            color: Material.color(Material.Red)
            wrapMode: Text.Wrap
            Accessible.role: Accessible.AlertMessage
            Accessible.name: text
            Layout.columnSpan: grid.columns
            Layout.fillWidth: true
        }
    }
}
