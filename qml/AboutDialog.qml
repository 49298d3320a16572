import QtQuick 2.11
import QtQuick.Controls 2.4
import QtQuick.Controls.Material 2.3
import QtQuick.Dialogs 1.3 as Dialogs
import Kestrel.Updater 1.0

// The program's version and credits, and the check for a newer version. Its
// texts belong to the main window's catalogue context, where they have always
// been.
AppDialog {
    id: aboutDialog

    // Whether the operator asked for the check under way: only such a check
    // says how it ended when it found nothing.
    property bool asked: false

    // A notification for the operator.
    signal notify(string text)

    // A centred paragraph, as the update line shows its messages.
    function centered(html) {
        return "<p style=\"text-align:center\">" + html + "</p>";
    }

    function checkParagraph() {
        return centered("&nbsp;<a href=\"upd://check\" style=\"text-decoration:none;color:blue\">"
                        + qsTranslate("main", "Check for updates") + "</a>");
    }

    // The end of an asked-for check that found nothing, and the offer to ask again.
    function answer(text) {
        if (!asked)
            return;
        asked = false;
        notify(text);
        updateLine.horizontalAlignment = Text.AlignHCenter;
        updateLine.text = centered(text) + checkParagraph();
    }

    function check() {
        asked = true;
        updater.checkUpdate();
    }

    title: qsTranslate("main", "About")
    standardButtons: Dialog.Close
    width: Math.min(frame.width, frame.height) / 3 * 2
    Component.onCompleted: chkUpdTimer.start()

    Updater {
        id: updater

        onUpToDate: aboutDialog.answer(qsTranslate("main", "No updates available"))
        onCheckFailed: aboutDialog.answer(qsTranslate("main", "Cannot check for updates"))
        onNewVersion: {
            aboutDialog.asked = false;
            aboutDialog.notify(qsTranslate("main", "New version %1 is available!").arg(version));
            updateLine.horizontalAlignment = Text.AlignLeft;
            updateLine.text = aboutDialog.centered(
                        qsTranslate("main", "An update to <b>version %1</b> is available").arg(version))
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
        onTriggered: {
            updateLine.horizontalAlignment = Text.AlignHCenter;
            updateLine.text = aboutDialog.checkParagraph();
        }
    }

    Dialogs.MessageDialog {
        id: updateDlg

        property string version: ""

        title: qsTranslate("main", "VELTRA2")
        standardButtons: Dialogs.StandardButton.No | Dialogs.StandardButton.Yes
        text: aboutDialog.centered(qsTranslate("main", "Update to %1?").arg(version) + "<br>"
                                   + qsTranslate("main", "The download opens in your web browser"))
        onYes: updater.doUpdate()
    }

    Column {
        width: parent.width
        spacing: 20

        Label {
            width: parent.width
            wrapMode: Text.Wrap
            font.pointSize: Theme.smallText
            text: qsTranslate("main", "VELTRA2 ") + runner.version
        }
        Label {
            width: parent.width
            wrapMode: Text.Wrap
            font.pointSize: Theme.smallText
            text: qsTranslate("main", "Developed by: %1, 2019").arg(Qt.application.organization)
        }
        Label {
            id: updateLine

            objectName: "updateLine"
            width: parent.width
            wrapMode: Text.Wrap
            font.pointSize: Theme.smallText
            textFormat: Text.RichText
            // From the keyboard the line is one stop: Enter or Space asks for
            // the check whenever the line offers it.
            readonly property bool offersCheck: text.indexOf("upd://check") >= 0

            activeFocusOnTab: true
            Accessible.role: offersCheck ? Accessible.Button : Accessible.StaticText
            Accessible.name: offersCheck ? qsTranslate("main", "Check for updates") : text.replace(/<[^>]*>/g, "")
            Accessible.onPressAction: if (offersCheck) aboutDialog.check()
            Keys.onSpacePressed: if (offersCheck) aboutDialog.check()
            Keys.onReturnPressed: if (offersCheck) aboutDialog.check()
            onLinkActivated: {
                if (link.indexOf("upd://") === 0) {
                    aboutDialog.check();
                } else {
                    Qt.openUrlExternally(link);
                }
            }

            background: Rectangle {
                color: "transparent"
                border.width: updateLine.activeFocus ? 2 : 1
                border.color: updateLine.activeFocus ? Material.accent : Material.primary
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
            title: qsTranslate("main", "3rd party software") + ":"

            Label {
                width: parent.width
                wrapMode: Text.Wrap
                font.pointSize: Theme.smallText
                textFormat: Text.RichText
                text: "<ul>"
                      + "<li><a href=\"https://github.com/google/material-design-icons\">Material Icons</a></li>"
                      + "<li><a href=\"https://www.qt.io/\">Qt Framework " + QT_VERSION_STR + "</a></li>"
                      + "</ul>"
                Accessible.name: "Material Icons, Qt Framework " + QT_VERSION_STR
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
