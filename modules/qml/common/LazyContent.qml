import QtQuick

// What a closed page or dialog shows, built when the page is first opened and kept from
// then on: closed pages cost no items at start. Fills its page.
Loader {
    id: lazy

    // The page whose opening builds the content.
    property Item page: parent

    anchors.fill: parent
    active: page !== null && page.visible

    // The content for the page's functions: null until the page first opens. Untyped, as the
    // page's own properties of it are only known once built.
    readonly property var built: item

    // Built once, the content stays: reopening is as fast as before.
    onLoaded: active = true
}
