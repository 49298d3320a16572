import QtQuick 2.11
import QtQuick.Controls 2.4

// What can be done with the identified device: each item names the step, the
// window takes it. Its texts belong to the main window's catalogue context.
AppMenu {
    id: menu

    signal info()
    signal status()
    signal history()
    signal config()
    signal cloud()
    signal reboot()
    signal limits()


    AppMenuItem {
        text: qsTranslate("main", "Info")
        onTriggered: menu.info()
    }
    AppMenuItem {
        text: qsTranslate("main", "Status")
        onTriggered: menu.status()
    }
    AppMenuItem {
        text: qsTranslate("main", "History")
        onTriggered: menu.history()
    }
    MenuSeparator {
    }
    AppMenuItem {
        text: qsTranslate("main", "Config")
        onTriggered: menu.config()
    }
    AppMenuItem {
        text: qsTranslate("main", "Cloud")
        onTriggered: menu.cloud()
    }
    AppMenuItem {
        text: qsTranslate("main", "Alarm limits…")
        onTriggered: menu.limits()
    }
    MenuSeparator {
    }
    AppMenuItem {
        text: qsTranslate("main", "Reboot")
        onTriggered: menu.reboot()
    }
}
