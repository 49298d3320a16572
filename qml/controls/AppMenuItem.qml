import QtQuick 2.11
import QtQuick.Controls 2.4

// An item of the window's menus and open lists.
MenuItem {
    background: RowBackground {
    }
}
