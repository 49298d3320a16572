pragma Singleton
import QtQuick 2.11

// The window's sizes in one place: every page, dialog and control takes its
// text sizes and spacing from here, so that they read as one family and a
// change of scale is one change.
QtObject {
    // Notes and the About dialog's lines.
    readonly property real smallText: 12
    // Rows of tables and lists.
    readonly property real tableText: 14
    // Forms, titles of groups and lists.
    readonly property real bodyText: 16
    // Glyphs of the tool bar and its statuses.
    readonly property real toolGlyph: 16
    // Glyphs on buttons and tool buttons.
    readonly property real buttonGlyph: 22
    // Space around and between a page's parts.
    readonly property int margin: 5
    readonly property int spacing: 8
}
