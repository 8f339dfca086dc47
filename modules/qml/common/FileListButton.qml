import QtQuick
import modules.qml

// A closed field showing the chosen name of mdItems; a click asks the owner to refresh
// the names (requestToUpdateList) and slides a FileList of them down below it. Choosing
// a name makes it current, emits listElementClicked and closes the list.
Item {
    id: button

    property var mdItems: []
    readonly property bool isOpen: privateState.isOpen

    signal listElementClicked(int index)
    signal requestToUpdateList
    signal listOpened
    signal listClosed

    readonly property int maxRows: 9
    readonly property int textMargin: 5
    readonly property int markWidth: 23
    readonly property real slideFactor: 0.5

    // Makes name `index` current; -1 clears the choice, any other index outside the
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
        button.requestToUpdateList()
        privateState.isOpen = true
        slide.to = 1
        slide.restart()
        button.listOpened()
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
        button.listElementClicked(index)
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
        property int curIndex: -1
        property bool isOpen: false
        // 0 closed ... 1 open.
        property real reveal: 0
    }

    NumberAnimation {
        id: slide
        target: privateState
        property: "reveal"
        duration: Scene.animation_speed * button.slideFactor
        easing.type: Easing.OutCubic
        onFinished: {
            if (!privateState.isOpen)
                button.listClosed()
        }
    }

    BorderImage {
        anchors.fill: parent
        source: Scene.sourceBtnFileListFrame
        border.left: 4
        border.top: 4
        border.bottom: 4
        border.right: button.markWidth
    }

    SceneText {
        objectName: "fieldText"
        x: button.textMargin
        width: parent.width - button.textMargin - button.markWidth
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
        onClicked: privateState.isOpen ? button.closeList() : button.showList()
    }

    Item {
        id: drawer
        y: button.height
        width: button.width
        height: list.height * privateState.reveal
        visible: height > 0
        clip: true

        FileList {
            id: list
            objectName: "list"
            y: drawer.height - height
            width: drawer.width
            height: button.listHeight(itemCount())
            mdItems: button.mdItems
            currentIndex: privateState.curIndex
            onListElementClicked: index => button.choose(index)
        }
    }
}
