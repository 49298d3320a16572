import QtQuick 2.12
import QtQuick.Controls 2.12
import QtQuick.Controls.Material 2.12
import QtQuick.Layouts 1.12
import Qt.labs.settings 1.0

// Start-up window: connects to the device whose address the settings hold and
// shows what the link reports.
ApplicationWindow {
    id: window

    property bool connected: false
    property string lastMessage: ""

    width: 800
    height: 600
    visible: true
    title: "VELTRA2 " + runner.version

    Settings {
        id: settings

        property string host: "192.168.4.1"
        property int port: 8081
    }

    Connections {
        target: runner
        onConnectedToHost: window.connected = true
        onDisconnectedFromHost: window.connected = false
        onAlert: window.lastMessage = msg
    }

    GridLayout {
        anchors.centerIn: parent
        columns: 2
        rowSpacing: 12
        columnSpacing: 12

        Label {
            text: qsTr("Device IP:")
            font.pointSize: 16
            Layout.alignment: Qt.AlignRight
        }
        TextField {
            id: hostEdit

            text: settings.host
            font.pointSize: 16
            selectByMouse: true
            Layout.fillWidth: true
        }
        Label {
            text: qsTr("Port:")
            font.pointSize: 16
            Layout.alignment: Qt.AlignRight
        }
        SpinBox {
            id: portEdit

            from: 0
            to: 65535
            editable: true
            value: settings.port
            font.pointSize: 16
            textFromValue: function(value) { return value.toString() }
            Layout.fillWidth: true
        }
        Button {
            text: qsTr("Connect")
            enabled: hostEdit.text.length > 0
            font.pointSize: 16
            // A plain fill: the style's elevation shadow needs a GPU.
            background: Rectangle {
                implicitWidth: 120
                implicitHeight: 40
                radius: 2
                color: Material.primary
                opacity: parent.enabled ? 1 : 0.3
            }
            contentItem: Text {
                text: parent.text
                font: parent.font
                color: "white"
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            Layout.columnSpan: 2
            Layout.alignment: Qt.AlignRight
            onClicked: runner.connectToHost(hostEdit.text, portEdit.value)
        }
        Label {
            text: window.connected ? "● " + hostEdit.text + ":" + portEdit.value : window.lastMessage
            font.pointSize: 14
            Layout.columnSpan: 2
            Layout.alignment: Qt.AlignHCenter
        }
    }
}
