import QtQuick 2.11

// A part of the window the first frame does without: made in the background
// once the window shows, or at once where it is wanted before that.
Loader {
    id: part

    // Set by the window once it shows.
    property bool wanted: false
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
