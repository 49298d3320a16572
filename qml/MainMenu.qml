import QtQuick 2.11
import QtQuick.Controls 2.4

// The window's own menu. Its texts belong to the main window's catalogue
// context, where they have always been.
AppMenu {
    id: menu

    property bool connected: false
    // Connected, or still trying to connect.
    property bool linked: false

    // Watching the site, and free to stop (no device shown on its connection).
    property bool canStopSite: false

    signal site()
    signal stopSite()
    signal saveConnection()
    signal disconnect()
    signal chooseLanguage()
    signal about()

    width: 280 // room for the longest Russian item

    AppMenuItem {
        objectName: "siteMenu"
        text: qsTranslate("main", "Site")
        onTriggered: menu.site()
    }
    AppMenuItem {
        objectName: "stopSiteMenu"
        text: qsTranslate("main", "Stop Watching the Site")
        visible: menu.canStopSite
        enabled: visible
        height: visible ? implicitHeight : 0
        onTriggered: menu.stopSite()
    }
    AppMenuItem {
        text: qsTranslate("main", "Save Connection")
        enabled: menu.connected
        onTriggered: menu.saveConnection()
    }
    AppMenuItem {
        objectName: "connAbortMenu"
        text: qsTranslate("main", "Disconnect")
        enabled: menu.linked
        onTriggered: menu.disconnect()
    }
    MenuSeparator {
    }
    AppMenuItem {
        text: qsTranslate("main", "Language")
        onTriggered: menu.chooseLanguage()
    }
    AppMenuItem {
        text: qsTranslate("main", "About")
        onTriggered: menu.about()
    }
    MenuSeparator {
    }
    ShortcutMenuItem {
        objectName: "quitItem"
        text: qsTranslate("main", "Quit")
        sequence: StandardKey.Quit
        onTriggered: Qt.quit()
    }
}
