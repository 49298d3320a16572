import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Controls.Universal 2.3
import QtQuick.Layouts 1.3
import Qt.labs.settings 1.0
import QtQuick.Dialogs 1.3 as Dialogs
import Qt.labs.platform 1.0 as Platform
import IOTRunner 1.0
import Kestrel.Updater 1.0

ApplicationWindow {
    id: window

    property int historyInt: 300

    // 1 when a device is connected (the sensors), else 0 (the connection page).
    function homeIndex() {
        return connIndicator.state === "connected" ? 1 : 0;
    }

    // "* Time column value accuracy: ±3min" for a history sampled every 300 s.
    function accuracyText(interval) {
        var accuracy = interval > 120 ? Math.round(interval / 60 / 2) + qsTr("min")
                                      : Math.round(interval / 2) + qsTr("sec");
        return "* " + qsTr("Time column value accuracy") + ": ±" + accuracy;
    }

    // A centred paragraph, as the update line shows its messages.
    function centered(html) {
        return "<p style=\"text-align:center\">" + html + "</p>";
    }

    function checkParagraph() {
        return centered("&nbsp;<a href=\"upd://check\" style=\"text-decoration:none;color:blue\">"
                        + qsTr("Check for updates") + "</a>");
    }

    function centeredX(dialog) {
        return Math.round((window.width - dialog.width) / 2);
    }

    function upperY(dialog) {
        return Math.round(Math.min(window.height / 6, (window.height - dialog.height) / 2));
    }

    visible: true
    width: 800
    height: 600
    title: qsTr("VELTRA2")

    Component.onCompleted: {
        // Read once: the runner is the one writer of the address.
        connectionPage.host = settings.value("host", "192.168.4.1");
        connectionPage.port = Number(settings.value("port", 8081));
        if (Qt.platform.os !== "android")
            chkUpdTimer.start();
    }

    Updater {
        id: updater

        onNewVersion: {
            if (Qt.platform.os === "android")
                return;
            noUpdTimer.stop();
            toast.show(qsTr("New version %1 is available!").arg(version), 2000);
            updateLine.horizontalAlignment = Text.AlignLeft;
            updateLine.text = window.centered(qsTr("An update to <b>version %1</b> is available").arg(version))
                    + changelog;
            if (Qt.platform.os === "linux") {
                updateDlg.version = version;
                updateDlg.open();
            }
        }
    }

    Timer {
        id: chkUpdTimer

        interval: 500
        repeat: false
        onTriggered: {
            updateLine.horizontalAlignment = Text.AlignHCenter;
            updateLine.text = window.checkParagraph();
        }
    }

    Timer {
        id: noUpdTimer

        objectName: "noUpdTimer"
        interval: 2000
        repeat: false
        onTriggered: {
            toast.show(qsTr("No updates available"), 1000);
            updateLine.horizontalAlignment = Text.AlignHCenter;
            updateLine.text = window.centered(qsTr("No updates available")) + window.checkParagraph();
        }
    }

    Platform.FileDialog {
        id: csvDialog

        objectName: "csvDialog"
        fileMode: Platform.FileDialog.SaveFile
        // Documents where there is such a folder, else home.
        folder: {
            var documents = Platform.StandardPaths.writableLocation(
                        Platform.StandardPaths.DocumentsLocation);
            return runner.isUrlReadable(documents)
                    ? documents : Platform.StandardPaths.writableLocation(
                          Platform.StandardPaths.HomeLocation);
        }
        nameFilters: ["CSV (*.csv)"]
        defaultSuffix: "csv"
        onAccepted: runner.saveAs(runner.historyCsv(), file)
    }

    Dialogs.MessageDialog {
        id: updateDlg

        property string version: ""

        title: qsTr("VELTRA2")
        standardButtons: Dialogs.StandardButton.No | Dialogs.StandardButton.Yes
        text: window.centered(qsTr("Update to %1?").arg(version) + "<br>"
                              + qsTr("Application will restart itself once updated"))
        onYes: updater.doUpdate()
    }

    // Only what the window itself writes is a property here: the element
    // writes all its properties back when one changes, which would put the
    // address read at start over the one saved on connecting since.
    Settings {
        id: settings

        property string language: "en"
    }

    Connections {
        target: runner
        onConnectedToHost: {
            configPage.configRead = false;
            connIndicator.state = "connected";
            connectionPage.connecting = false;
            stack.currentIndex = 1;
            connSaveMenu.enabled = true;
            connAbortMenu.enabled = true;
        }
        onDisconnectedFromHost: {
            deviceTool.visible = false;
            connIndicator.state = "none";
            connectionPage.connecting = false;
            sensorsPage.clearView();
            // Nothing is known of a device that is not connected.
            mqttIndicator.state = "inactive";
            modbusIndicator.state = "inactive";
            stack.currentIndex = 0;
            connSaveMenu.enabled = false;
            connAbortMenu.enabled = false;
        }
        onDeviceDiscovered: {
            deviceDialog.info = info;
            deviceTool.visible = true;
        }
        onDeviceSetup: {
            console.log("Units: " + units);
            for (var i = 0; i < scount; ++i) {
                console.log("Add page for " + units[i]);
                sensorsPage.addPage(units[i]);
            }
        }
        onSensorSetup: sensorsPage.pageAt(index).setup(min, max)
        onDeviceUpdate: {
            for (var i = 0; i < sensorsPage.count; ++i)
                sensorsPage.pageAt(i).update();
            mqttIndicator.state = cloud ? "active" : "inactive";
            modbusIndicator.state = modbus ? "active" : "inactive";
        }
        onDeviceConfig: {
            configPage.setup(config);
            cloudPage.update_config(config);
        }
        onDeviceInfo: cloudPage.update_devinfo(info)
        onAlert: toast.show(msg, 1500)
        onHistIntervalUpdated: window.historyInt = interval / 1000
    }

    header: ToolBar {
        // A plain fill: the style's shadowed one needs a GPU to be seen at all.
        background: Rectangle {
            implicitHeight: 48
            color: Material.primary
        }

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 2
            anchors.rightMargin: 2
            spacing: 8

            MaterialToolButton {
                id: menuTool

                objectName: "menuTool"
                font.pointSize: 16
                text: MaterialFont.icon.menu
                onClicked: {
                    var home = window.homeIndex();
                    if (stack.currentIndex !== home) {
                        stack.currentIndex = home;
                        text = MaterialFont.icon.menu;
                    } else {
                        mainMenu.open();
                    }
                }

                Menu {
                    id: mainMenu

                    objectName: "mainMenu"
                    width: 280 // room for the longest Russian item
                    y: menuTool.height
                    x: 0
                    transformOrigin: Menu.TopLeft
                    background: MaterialPopupBackground {
                    }

                    MenuItem {
                        id: connSaveMenu

                        text: qsTr("Save Connection")
                        enabled: false
                        onTriggered: connSaveDialog.open()
                    }
                    MenuItem {
                        id: connAbortMenu

                        objectName: "connAbortMenu"
                        text: qsTr("Disconnect")
                        enabled: false
                        onTriggered: {
                            runner.disconnectFromHost();
                            // Stopped before it ever connected: no signal says so.
                            if (connIndicator.state === "connecting") {
                                connIndicator.state = "none";
                                connectionPage.connecting = false;
                                enabled = false;
                            }
                        }
                    }
                    MenuSeparator {
                    }
                    MenuItem {
                        text: qsTr("Language")
                        onTriggered: langDialog.open()
                    }
                    MenuItem {
                        text: qsTr("About")
                        onTriggered: aboutDialog.open()
                    }
                    MenuSeparator {
                    }
                    MenuItem {
                        text: qsTr("Quit")
                        onTriggered: Qt.quit()
                    }
                }
            }

            MaterialToolButton {
                id: deviceTool

                objectName: "deviceTool"
                font.pointSize: 16
                text: MaterialFont.icon.widgets
                visible: false
                onClicked: deviceMenu.open()

                Menu {
                    id: deviceMenu

                    objectName: "deviceMenu"
                    y: deviceTool.height
                    x: 0
                    transformOrigin: Menu.TopLeft
                    background: MaterialPopupBackground {
                    }

                    MenuItem {
                        id: devInfoItem

                        text: qsTr("Info")
                        onTriggered: deviceDialog.open()
                    }
                    MenuItem {
                        id: devStatusItem

                        text: qsTr("Status")
                        onTriggered: stack.currentIndex = 4
                    }
                    MenuItem {
                        id: devHistoryItem

                        text: qsTr("History")
                        onTriggered: {
                            runner.requestHistory();
                            stack.currentIndex = 5;
                        }
                    }
                    MenuSeparator {
                    }
                    MenuItem {
                        id: devConfigItem

                        text: qsTr("Config")
                        onTriggered: {
                            runner.requestConfig();
                            stack.currentIndex = 2;
                        }
                    }
                    MenuItem {
                        id: devCloudItem

                        text: qsTr("Cloud")
                        onTriggered: stack.currentIndex = 3
                    }
                    MenuSeparator {
                    }
                    MenuItem {
                        id: devRebootItem

                        text: qsTr("Reboot")
                        onTriggered: rebootDialog.open()
                    }
                }
            }

            Item {
                Layout.fillWidth: true
            }

            MaterialIndicator {
                id: mqttIndicator

                objectName: "mqttIndicator"
                font.pointSize: 16
                text: MaterialFont.icon.cloud
                state: "inactive"
                states: [
                    State {
                        name: "active"
                        PropertyChanges {
                            target: mqttIndicator
                            color: Material.color(Material.Green)
                            tooltip: qsTr("Cloud/MQTT is running")
                        }
                    },
                    State {
                        name: "inactive"
                        PropertyChanges {
                            target: mqttIndicator
                            color: Material.foreground
                            tooltip: qsTr("Cloud/MQTT is not running")
                        }
                    }
                ]
            }

            MaterialIndicator {
                id: modbusIndicator

                objectName: "modbusIndicator"
                font.pointSize: 16
                text: MaterialFont.icon.router
                state: "inactive"
                states: [
                    State {
                        name: "active"
                        PropertyChanges {
                            target: modbusIndicator
                            color: Material.color(Material.Green)
                            tooltip: qsTr("Tarvex client is running")
                        }
                    },
                    State {
                        name: "inactive"
                        PropertyChanges {
                            target: modbusIndicator
                            color: Material.foreground
                            tooltip: qsTr("Tarvex client is not running")
                        }
                    }
                ]
            }

            MaterialIndicator {
                id: connIndicator

                objectName: "connIndicator"
                font.pointSize: 16
                color: Material.accent
                state: "none"
                onStateChanged: {
                    if (state === "connecting")
                        start();
                    else
                        stop();
                }
                states: [
                    State {
                        name: "none"
                        PropertyChanges {
                            target: connIndicator
                            text: MaterialFont.icon.error
                            color: Material.foreground
                            tooltip: qsTr("Not connected")
                        }
                    },
                    State {
                        name: "connecting"
                        PropertyChanges {
                            target: connIndicator
                            text: MaterialFont.icon.warning
                            color: Material.color(Material.Orange)
                            tooltip: qsTr("Connecting")
                        }
                    },
                    State {
                        name: "connected"
                        PropertyChanges {
                            target: connIndicator
                            text: MaterialFont.icon.wifi
                            color: Material.color(Material.Green)
                            tooltip: qsTr("Connected")
                        }
                    }
                ]
            }
        }
    }

    Rectangle {
        id: backgroundImage

        anchors.fill: parent
        gradient: Gradient {
            GradientStop {
                position: 0
                color: Material.primary
            }
            GradientStop {
                position: 0.1
                color: Material.background
            }
        }
    }

    StackLayout {
        id: stack

        objectName: "stack"
        anchors.fill: parent
        currentIndex: 0
        onCurrentIndexChanged: menuTool.text = currentIndex !== window.homeIndex()
                               ? MaterialFont.icon.navigate_before : MaterialFont.icon.menu

        ConnectionPage {
            id: connectionPage

            objectName: "connectionPage"
            onStart: {
                connIndicator.state = "connecting";
                connecting = true;
                connAbortMenu.enabled = true;
                runner.connectToHost(connectionPage.host, connectionPage.port);
            }
        }

        SensorsPage {
            id: sensorsPage

            objectName: "sensorsPage"
        }

        ConfigPage {
            id: configPage

            objectName: "configPage"
            onFinished: stack.currentIndex = 1
        }

        CloudConfig {
            id: cloudPage

            objectName: "cloudPage"
        }

        MaterialPane {
            id: devInfoPage

            Rectangle {
                width: parent.width
                height: Math.round(parent.height * 0.8)
                anchors.centerIn: parent
                color: "transparent"
                border.width: 1
                border.color: Material.primary

                StateView {
                }
            }
        }

        MaterialPane {
            id: devHistoryPage

            Rectangle {
                id: historyFrame

                width: parent.width
                height: Math.round(parent.height * 0.8)
                anchors.centerIn: parent
                color: "transparent"
                border.width: 1
                border.color: Material.primary

                HistoryView {
                    id: historyView
                }

                Row {
                    anchors.right: parent.right
                    anchors.bottom: parent.bottom
                    anchors.margins: 5
                    spacing: 5

                    MaterialToolButton {
                        objectName: "csvButton"
                        text: MaterialFont.icon.save
                        tooltip: qsTr("Save history as CSV")
                        enabled: historyView.count > 0
                        onClicked: {
                            csvDialog.open();
                            // Once open: the dialog drops a name given before
                            // for a file that does not exist yet.
                            csvDialog.currentFile = csvDialog.folder + "/" + runner.historyFileName();
                        }
                    }
                    MaterialToolButton {
                        text: MaterialFont.icon.update
                        tooltip: qsTr("Update the data")
                        onClicked: runner.requestHistory()
                    }
                }
            }

            Label {
                objectName: "accuracyLine"
                anchors.left: parent.left
                anchors.bottom: parent.bottom
                text: window.accuracyText(window.historyInt)
            }
        }
    }

    // Above every dialog and its dimming, too.
    ToastManager {
        id: toast

        objectName: "toast"
        parent: Overlay.overlay
    }

    Dialog {
        id: deviceDialog

        property alias info: devLabel.text

        objectName: "deviceDialog"
        background: MaterialPopupBackground {
        }
        title: qsTr("Device Info")
        modal: true
        focus: true
        width: Math.round(Math.min(window.width, Math.max(window.width * 2 / 3, 400)))
        x: window.centeredX(deviceDialog)
        y: window.upperY(deviceDialog)

        Label {
            id: devLabel

            width: deviceDialog.availableWidth
            textFormat: Text.RichText
            wrapMode: Text.Wrap
            font.pointSize: 18
        }
    }

    ConfirmDialog {
        id: rebootDialog

        objectName: "rebootDialog"
        title: qsTr("Reboot")
        text: qsTr("Reboot the device?")
        onAccepted: runner.requestReboot()
    }

    Dialog {
        id: connSaveDialog

        objectName: "connSaveDialog"
        background: MaterialPopupBackground {
        }
        title: qsTr("Save Connection")
        modal: true
        focus: true
        width: Math.min(window.width, Math.max(Math.round(window.width / 2), 300))
        x: window.centeredX(connSaveDialog)
        y: window.upperY(connSaveDialog)
        standardButtons: Dialog.Ok | Dialog.Cancel
        onAccepted: runner.saveConnection(connNameInput.text)

        RowLayout {
            width: connSaveDialog.availableWidth

            Label {
                text: qsTr("Name") + ":"
            }
            MaterialInput {
                id: connNameInput

                Layout.fillWidth: true
            }
        }
    }

    Dialog {
        id: langDialog

        objectName: "langDialog"
        background: MaterialPopupBackground {
        }
        title: qsTr("Language")
        modal: true
        focus: true
        width: Math.min(window.width, Math.max(Math.round(window.width / 2), 300))
        x: window.centeredX(langDialog)
        y: window.upperY(langDialog)
        standardButtons: Dialog.Ok | Dialog.Cancel
        onAboutToShow: langCombo.currentIndex = settings.language === "ru" ? 1 : 0
        onAccepted: {
            var chosen = langModel.get(langCombo.currentIndex).value;
            if (chosen !== settings.language) {
                settings.language = chosen;
                toast.show(qsTr("Restart the app to apply changes"));
            }
        }

        MaterialComboBox {
            id: langCombo

            objectName: "langCombo"
            width: langDialog.availableWidth
            textRole: "key"
            currentIndex: settings.language === "ru" ? 1 : 0
            model: ListModel {
                id: langModel

                ListElement {
                    key: qsTr("English")
                    value: "en"
                }
                ListElement {
                    key: qsTr("Russian")
                    value: "ru"
                }
            }
        }
    }

    Dialog {
        id: aboutDialog

        property alias updateText: updateLine.text

        objectName: "aboutDialog"
        background: MaterialPopupBackground {
        }
        title: qsTr("About")
        modal: true
        focus: true
        width: Math.min(window.width, window.height) / 3 * 2
        x: (window.width - width) / 2
        y: window.upperY(aboutDialog)

        Column {
            width: aboutDialog.availableWidth
            spacing: 20

            Label {
                width: parent.width
                wrapMode: Text.Wrap
                font.pointSize: 12
                text: qsTr("VELTRA2 ") + runner.version
            }
            Label {
                width: parent.width
                wrapMode: Text.Wrap
                font.pointSize: 12
                text: "Developed by: Kestrel, 2019"
            }
            Label {
                id: updateLine

                objectName: "updateLine"
                width: parent.width
                visible: Qt.platform.os !== "android"
                wrapMode: Text.Wrap
                font.pointSize: 12
                textFormat: Text.RichText
                onLinkActivated: {
                    if (link.indexOf("upd://") === 0) {
                        updater.checkUpdate();
                        noUpdTimer.start();
                    } else {
                        Qt.openUrlExternally(link);
                    }
                }

                background: Rectangle {
                    color: "transparent"
                    border.width: 1
                    border.color: Material.primary
                    radius: 2
                }

                MouseArea {
                    anchors.fill: parent
                    acceptedButtons: Qt.NoButton
                    cursorShape: parent.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor
                }
            }
            GroupBox {
                width: parent.width
                title: qsTr("3rd party software") + ":"

                Label {
                    width: parent.width
                    wrapMode: Text.Wrap
                    font.pointSize: 12
                    textFormat: Text.RichText
                    text: "<ul>"
                          + "<li><a href=\"https://github.com/google/material-design-icons\">Material Icons</a></li>"
                          + "<li><a href=\"https://www.qt.io/\">Qt Framework " + QT_VERSION_STR + "</a></li>"
                          + "</ul>"
                    onLinkActivated: Qt.openUrlExternally(link)

                    MouseArea {
                        anchors.fill: parent
                        acceptedButtons: Qt.NoButton
                        cursorShape: parent.hoveredLink ? Qt.PointingHandCursor : Qt.ArrowCursor
                    }
                }
            }
        }
    }
}
