import QtQuick
import modules.qml

// A closed field showing the current item of mdItems (a ListModel or an array of items
// with textX); a click slides the list of all items down below it, and choosing one
// makes it current, emits listElementClicked and closes the list.
Item {
    id: dropdown

    property var mdItems: []
    // The item current at start; -1 for none.
    property int defaultIndex: 0
    readonly property bool isOpen: privateState.isOpen

    signal listElementClicked(int index)
    signal listOpened
    signal listClosed

    readonly property int maxRows: 9
    readonly property int textMargin: 5
    readonly property int chevronWidth: 23
    readonly property real slideFactor: 0.5

    // Makes item `index` current; -1 clears the choice, any other index outside the
    // list is ignored.
    function setCurIndex(index) {
        if (index === -1 || list.itemAt(index) !== undefined)
            privateState.curIndex = index
    }

    function getCurIndex() {
        return privateState.curIndex
    }

    function showList() {
        if (privateState.isOpen)
            return
        privateState.isOpen = true
        slide.to = 1
        slide.restart()
        dropdown.listOpened()
    }

    function closeList() {
        if (!privateState.isOpen)
            return
        privateState.isOpen = false
        slide.to = 0
        slide.restart()
    }

    function choose(index) {
        setCurIndex(index)
        dropdown.listElementClicked(index)
        closeList()
    }

    // Height of the open list: its rows up to maxRows, one empty row for an empty list.
    function listHeight(count) {
        return Math.max(1, Math.min(count, maxRows)) * list.rowHeight
    }

    implicitWidth: 151
    implicitHeight: 23
    // An open list lies above the controls beside it.
    z: privateState.isOpen || slide.running ? 1 : 0

    QtObject {
        id: privateState
        property int curIndex: dropdown.defaultIndex
        property bool isOpen: false
        // 0 closed ... 1 open.
        property real reveal: 0
    }

    NumberAnimation {
        id: slide
        target: privateState
        property: "reveal"
        duration: Scene.animation_speed * dropdown.slideFactor
        easing.type: Easing.OutCubic
        onFinished: {
            if (!privateState.isOpen)
                dropdown.listClosed()
        }
    }

    BorderImage {
        anchors.fill: parent
        source: Scene.sourceBtnFrame
        border.left: 4
        border.top: 4
        border.bottom: 4
        border.right: dropdown.chevronWidth
    }

    SceneText {
        objectName: "fieldText"
        x: dropdown.textMargin
        width: parent.width - dropdown.textMargin - dropdown.chevronWidth
        anchors.verticalCenter: parent.verticalCenter
        text: list.itemText(privateState.curIndex)
        elide: Text.ElideRight
        // Long texts shrink a little before they are cut.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        color: fieldArea.containsMouse || privateState.isOpen ? Scene.globalSetting_color : Scene.globalSetting_color_enable
    }

    MouseArea {
        id: fieldArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: privateState.isOpen ? dropdown.closeList() : dropdown.showList()
    }

    Item {
        id: drawer
        y: dropdown.height
        width: dropdown.width
        height: list.height * privateState.reveal
        visible: height > 0
        clip: true

        FileList {
            id: list
            objectName: "list"
            y: drawer.height - height
            width: drawer.width
            height: dropdown.listHeight(itemCount())
            mdItems: dropdown.mdItems
            currentIndex: privateState.curIndex
            onListElementClicked: index => dropdown.choose(index)
        }
    }
}
