import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Layouts 1.3
import IOTRunner 1.0

// Page 2: the device's service mode and Wi-Fi settings.
ScrollingPane {
    id: page

    // Whether the fields hold what this connection's device sent: until then
    // Apply would write guesses over the device's own settings.
    property bool configRead: false

    title: qsTranslate("main", "Config")

    // What setup put in each field: Apply sends only what the operator
    // changed, so a device's own value survives even where the page has no
    // choice for it.
    property var shown: ({})
    // The backup file loaded into the fields ("file", "settings", "changes"),
    // until applied or replaced by what the device sends.
    property var loaded: null
    // The fields differ from what setup put in them.
    readonly property bool edited: Object.keys(changedFields()).length > 0
    // The operator's changes not yet applied outlast the device's file read
    // again (the link came back, another step read it); asking the device
    // again (F5), a reset, a loaded file or leaving the device drop them.
    property bool dropEdits: false
    // The choices of each member the page edits, and its label.
    readonly property var models: ({ "sys-mode": sysModeModel, "net-mode": netModeModel,
                                     "net-auth": netAuthModeModel })
    readonly property var controls: ({ "sys-mode": sysMode, "net-mode": netMode, "net-ssid": netSsid,
                                       "net-pwd": netPassword, "net-auth": netAuthMode })
    readonly property var labels: ({ "sys-mode": qsTr("Mode"), "net-mode": qsTr("WiFi Mode"),
                                     "net-ssid": qsTr("SSID"), "net-pwd": qsTr("Password"),
                                     "net-auth": qsTr("Auth Mode") })

    // The index of `value` in a choice model, or -1.
    function indexOf(model, value) {
        for (var i = 0; i < model.count; ++i) {
            if (model.get(i).value === value)
                return i;
        }
        return -1;
    }

    // A value that is none of the choices is shown as the device sent it, in
    // an entry of its own (the only one whose value is empty).
    function choose(box, model, value, fallback) {
        if (model.get(model.count - 1).value === "")
            model.remove(model.count - 1);
        var i = indexOf(model, value);
        if (i < 0 && value !== undefined) {
            model.append({ "key": qsTr("%1 (device's value)").arg(runner.shownValue(value)),
                           "value": "" });
            i = model.count - 1;
        } else if (i < 0) {
            i = fallback;
        }
        box.currentIndex = i;
    }

    function textOf(config, key) {
        var value = config[key];
        return value === undefined || value === null ? "" : String(value);
    }

    // A choice by its index, a text as it stands.
    function fields() {
        var now = {};
        for (var key in controls)
            now[key] = models[key] ? controls[key].currentIndex : controls[key].text;
        return now;
    }

    // Puts `values` (members by key, choices by their value) in the fields:
    // only those given, and a choice not given a value takes its default.
    function put(values, keys) {
        var defaults = { "sys-mode": 0, "net-mode": 1, "net-auth": 4 };
        keys.forEach(function(key) {
            if (models[key])
                choose(controls[key], models[key], values[key], defaults[key]);
            else
                controls[key].text = textOf(values, key);
        });
    }

    function fill(config) {
        put(config, Object.keys(controls));
        shown = fields();
    }

    function setup(config) {
        // Before the first file there is nothing the operator changed.
        var fresh = dropEdits || loaded !== null || Object.keys(shown).length === 0;
        var kept = fresh ? {} : changedFields();
        dropEdits = false;
        loaded = null;
        fill(config);
        configRead = true;
        put(kept, Object.keys(kept));
    }

    function load(file) {
        var backup = runner.loadConfigBackup(file);
        // Refused, and told why: what was loaded before is gone too.
        if (backup.file === undefined) {
            loaded = null;
            return;
        }
        loaded = backup;
        fill(backup.settings);
        compareDialog.open();
    }

    // A member's value as the page shows it: a choice by its name.
    function valueText(key, value) {
        var i = models[key] && value ? indexOf(models[key], value) : -1;
        return i >= 0 ? models[key].get(i).key : value || "—";
    }

    // What the loaded file would change, a member a line under the page's
    // label for it; passwords only as changed.
    function changesText(changes, more) {
        var lines = changes.map(function(c) {
            var label = labels[c.key] || c.key;
            return c.secret ? qsTr("%1: changed").arg(label)
                            : qsTr("%1: %2 → %3").arg(label).arg(valueText(c.key, c.before))
                              .arg(valueText(c.key, c.after));
        });
        if (more > 0)
            lines.push(qsTr("… and %1 more").arg(more));
        return lines.length > 0 ? lines.join("\n") : qsTr("Nothing would change");
    }

    // The members the operator changed, with the values to send.
    function changedFields() {
        var now = fields();
        var changed = {};
        for (var key in now) {
            // A list with nothing chosen (before the device's file came)
            // has nothing to send.
            if (now[key] !== shown[key] && !(models[key] && now[key] < 0))
                changed[key] = models[key] ? models[key].get(now[key]).value : now[key];
        }
        return changed;
    }

    // Asked of this device, as it stands now: the question does not follow
    // the link to another.
    function restoreQuestion() {
        return qsTr("Apply the configuration from %1 to %2 at %3?").arg(loaded.file)
            .arg(runner.connection.model).arg(runner.connection.address);
    }

    function apply() {
        if (loaded) {
            restoreDialog.edits = changedFields();
            restoreDialog.text = restoreQuestion();
            restoreDialog.open();
            return;
        }
        runner.updateConfig(changedFields());
    }

    // The loaded file is not applied: the fields show the device's own
    // settings again.
    function dropLoaded() {
        runner.dropConfigBackup();
        loaded = null;
        dropEdits = true;
        runner.requestConfig();
    }

    function saveBackup() {
        saveDialog.open();
        // Once open: the dialog drops a name given before for a file that
        // does not exist yet.
        saveDialog.currentFile = saveDialog.folder + "/" + runner.configBackupName();
    }

    // The program's choices for a member, in words of this language; an
    // entry for a value of the device's own may follow them.
    function offer(model, key) {
        runner.configChoices(key).forEach(function(choice) {
            model.append({ "key": qsTranslate("ConfigPage", choice.key), "value": choice.value });
        });
    }

    ListModel {
        id: sysModeModel

        Component.onCompleted: page.offer(sysModeModel, "sys-mode")
    }
    ListModel {
        id: netModeModel

        Component.onCompleted: page.offer(netModeModel, "net-mode")
    }
    ListModel {
        id: netAuthModeModel

        Component.onCompleted: page.offer(netAuthModeModel, "net-auth")
    }

    // Factory settings take the device off its network and the cloud at once.
    ConfirmDialog {
        id: factoryDialog

        objectName: "factoryDialog"
        title: qsTr("Factory Defaults")
        text: qsTr("Reset the device configuration to factory settings?") + "\n\n"
              + qsTr("The device's mode and Wi-Fi settings go back to the factory's: it may leave its network.")
        acceptText: qsTr("Reset")
        destructive: true
        onAccepted: {
            page.dropEdits = true;
            runner.resetConfig();
        }
    }

    // A backup holds what the device sent, not what the page shows.
    ConfirmDialog {
        id: unappliedDialog

        objectName: "unappliedDialog"
        title: qsTr("Save to file")
        text: qsTr("The page holds changes not yet applied. The file will hold the device's configuration without them.")
        acceptText: qsTr("Save")
        onAccepted: page.saveBackup()
    }

    // The whole file goes to the device: the operator says so first.
    ConfirmDialog {
        id: restoreDialog

        property var edits: ({})

        objectName: "restoreDialog"
        title: qsTr("Load from file")
        acceptText: qsTr("Apply")
        destructive: true
        onAccepted: {
            runner.applyConfigBackup(edits);
            page.loaded = null;
        }
    }
    // What the file would change, asked at once; the fields hold the file's
    // settings until the operator applies or cancels.
    ConfirmDialog {
        id: compareDialog

        objectName: "compareDialog"
        title: qsTr("Load from file")
        acceptText: qsTr("Apply")
        destructive: true
        text: page.loaded ? qsTr("Loaded from %1").arg(page.loaded.file) + "\n\n"
                            + page.changesText(page.loaded.changes, page.loaded.moreChanges) + "\n\n"
                            + page.restoreQuestion() : ""
        onAccepted: {
            runner.applyConfigBackup(page.changedFields());
            page.loaded = null;
        }
        onRejected: page.dropLoaded()
    }
    SystemFileDialog {
        id: saveDialog

        objectName: "backupSaveDialog"
        title: qsTr("Save the configuration (the file holds the Wi-Fi password)")
        saving: true
        folder: runner.documentsFolder()
        nameFilters: ["JSON (*.json)"]
        defaultSuffix: "json"
        onAccepted: runner.saveConfigBackup(file)
    }
    SystemFileDialog {
        id: loadDialog

        objectName: "backupLoadDialog"
        title: qsTr("Load a configuration")
        folder: saveDialog.folder
        nameFilters: ["JSON (*.json)"]
        onAccepted: page.load(file)
    }

    // The question belongs to its connection: a lost link, or another
    // device, ends it with nothing applied.
    Connections {
        target: runner.connection
        onChanged: {
            if (runner.connection.state === ConnectionState.Connected)
                return;
            if (runner.connection.state === ConnectionState.NotConnected || page.loaded !== null)
                page.dropEdits = true;
            if (restoreDialog.visible) {
                restoreDialog.close();
                runner.dropConfigBackup();
            }
            page.loaded = null;
        }
    }

    // The device is asked again; what the operator typed gives way to it.
    Shortcut {
        objectName: "configRefresh"
        sequence: StandardKey.Refresh
        enabled: page.visible
        onActivated: {
            page.dropEdits = true;
            runner.requestConfig();
        }
    }

    // As tall as it needs: a height given back by the scrolling page would
    // make a wrapped line wrap again, and again.
    GridLayout {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        columns: 2

        Label {
            text: qsTr("Mode") + ":"
        }
        MaterialComboBox {
            id: sysMode

            objectName: "sysMode"
            label: qsTr("Mode")
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
            label: qsTr("WiFi Mode")
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
            label: qsTr("SSID")
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Password") + ":"
        }
        MaterialInput {
            id: netPassword

            objectName: "netPassword"
            label: qsTr("Password")
            echoMode: TextInput.Password
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Auth Mode") + ":"
        }
        MaterialComboBox {
            id: netAuthMode

            objectName: "netAuthMode"
            label: qsTr("Auth Mode")
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
                objectName: "backupSaveButton"
                enabled: page.configRead
                text: qsTr("Save to file")
                micon: MaterialFont.icon.save
                onClicked: page.edited ? unappliedDialog.open() : page.saveBackup()
            }
            MaterialButton {
                objectName: "backupLoadButton"
                // A backup replaces the device's file whole: restoring needs
                // the device identified, not its own file readable.
                enabled: runner.connection.model !== ""
                text: qsTr("Load from file")
                micon: MaterialFont.icon.folder_open
                onClicked: loadDialog.open()
            }
        }
        // The step that wipes the device's settings stands apart from Apply.
        RowLayout {
            Layout.columnSpan: 2
            Layout.fillWidth: true

            MaterialButton {
                objectName: "factoryButton"
                text: qsTr("Factory Defaults")
                micon: MaterialFont.icon["delete"]
                bgColor: Material.color(Material.Red, Material.Shade800)
                onClicked: factoryDialog.open()
            }
            Item {
                Layout.fillWidth: true
            }
            MaterialButton {
                objectName: "applyButton"
                enabled: (page.configRead && page.edited) || page.loaded !== null
                text: qsTr("Apply")
                micon: MaterialFont.icon.done
                onClicked: page.apply()
            }
        }
    }
}
