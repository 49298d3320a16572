import QtQuick 2.11
import QtQuick.Controls 2.4

// The choice of the interface language, which takes effect at the next start.
AppDialog {
    id: dialog

    // The language in use ("en" or "ru").
    property string language: "en"

    signal chosen(string language)

    title: qsTranslate("main", "Language")
    standardButtons: Dialog.Ok | Dialog.Cancel
    onAboutToShow: langCombo.currentIndex = language === "ru" ? 1 : 0
    onOpened: langCombo.forceActiveFocus(Qt.TabFocusReason)
    onAccepted: {
        var picked = langCombo.model[langCombo.currentIndex].value;
        if (picked !== language)
            chosen(picked);
    }

    MaterialComboBox {
        id: langCombo

        objectName: "langCombo"
        label: dialog.title
        width: parent.width
        textRole: "key"
        model: [
            { "key": qsTranslate("main", "English"), "value": "en" },
            { "key": qsTranslate("main", "Russian"), "value": "ru" }
        ]
    }
}
