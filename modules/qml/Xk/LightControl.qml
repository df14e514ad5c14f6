import QtQuick

// Placeholder until the page lands.
Item {
}
