import QtQuick

// What a closed page or dialog shows, built when the page is first opened and kept from
// then on: closed pages cost no items at start. Fills its page.
Loader {
    id: lazy

    // The page whose opening builds the content.
    property Item page: parent

    anchors.fill: parent
    active: page !== null && page.visible

    // Built once, the content stays: reopening is as fast as before.
    onLoaded: active = true
}
