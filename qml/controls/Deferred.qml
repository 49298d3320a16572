import QtQuick 2.11
import QtQuick.Controls 2.4

// A part of the window the first frame does without: made in the background
// once the window shows, or at once where it is wanted before that.
Loader {
    id: part

    // Wanted once the window has its first frame out (it says so by
    // `started`); outside a window, only when asked for.
    property bool wanted: ApplicationWindow.window !== null && ApplicationWindow.window.started === true
    // The part's object name, by which it is found.
    property string name: ""

    // The part, made now if the background has not finished it.
    function get() {
        asynchronous = false;
        active = true;
        return item;
    }

    active: wanted
    asynchronous: true
    onLoaded: if (name !== "") item.objectName = name
}
