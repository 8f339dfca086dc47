import QtQuick
import modules.qml

// A list of names (mdItems: a ListModel or an array of items with textX, and optionally
// textR shown at the right edge) on the list body picture, 20 px a row. A row's name can
// be edited in place: Return or Enter keeps the new name, Escape or leaving the field
// restores the old one.
Item {
    id: fileList

    property var mdItems: []
    // The highlighted row, -1 for none; set by the owner.
    property int currentIndex: -1
    // The row being renamed, -1 while no rename runs.
    readonly property int editIndex: privateState.editIndex
    readonly property real contentY: view.contentY

    signal listElementClicked(int index)
    signal listElementRightBtnClicked(int index)
    signal editFileName_start(int tarIndex)
    signal editFileName_stop()
    signal editFileName_completed(string oldName, string newName)

    // The band pitch of the list body picture; the row delegate repeats it.
    readonly property int rowHeight: 20
    readonly property int textMargin: 5
    readonly property int bodyBorder: 8

    function itemCount() {
        if (!mdItems)
            return 0
        if (typeof mdItems.count === "number")
            return mdItems.count
        return typeof mdItems.length === "number" ? mdItems.length : 0
    }

    function itemAt(index) {
        if (!Number.isInteger(index) || index < 0 || index >= itemCount())
            return undefined
        return typeof mdItems.get === "function" ? mdItems.get(index) : mdItems[index]
    }

    function itemText(index) {
        const item = itemAt(index)
        return item && item.textX !== undefined ? String(item.textX) : ""
    }

    // Top of row `index` in the list's own coordinates, following the scroll position.
    function rowY(index) {
        return index * rowHeight - view.contentY + view.originY
    }

    // The row under a point of the list, -1 for none.
    function rowAt(x, y) {
        return view.indexAt(x + view.contentX, y + view.contentY)
    }

    // Starts renaming row `index`; an index outside the list is ignored.
    function editFileName(index) {
        if (itemAt(index) === undefined)
            return
        stopEditFileName()
        view.positionViewAtIndex(index, ListView.Contain)
        privateState.editIndex = index
        input.text = itemText(index)
        input.selectAll()
        input.forceActiveFocus()
        fileList.editFileName_start(index)
    }

    // Ends a running rename and keeps the old name.
    function stopEditFileName() {
        if (privateState.editIndex < 0)
            return
        privateState.editIndex = -1
        fileList.editFileName_stop()
    }

    // Ends a running rename with `newName`. An empty or unchanged name keeps the old one.
    // A ListModel row takes the new name itself; an array's owner writes it.
    function completeEdit(newName) {
        const index = privateState.editIndex
        if (index < 0)
            return
        const oldName = itemText(index)
        privateState.editIndex = -1
        if (newName !== "" && newName !== oldName && itemAt(index) !== undefined) {
            if (typeof mdItems.setProperty === "function")
                mdItems.setProperty(index, "textX", newName)
            fileList.editFileName_completed(oldName, newName)
        }
        fileList.editFileName_stop()
    }

    implicitWidth: 141
    implicitHeight: 198

    QtObject {
        id: privateState
        property int editIndex: -1
    }

    BorderImage {
        anchors.fill: parent
        source: Scene.sourceFilelist
        border.left: fileList.bodyBorder
        border.right: fileList.bodyBorder
        border.top: fileList.bodyBorder
        border.bottom: fileList.bodyBorder
        verticalTileMode: BorderImage.Repeat
    }

    Item {
        anchors.fill: parent
        clip: true

        Rectangle {
            id: currentBar
            y: fileList.rowY(fileList.currentIndex)
            width: parent.width
            height: fileList.rowHeight
            visible: fileList.itemAt(fileList.currentIndex) !== undefined
            color: Qt.rgba(Scene.globalSetting_color.r, Scene.globalSetting_color.g, Scene.globalSetting_color.b, 0.25)
            border.width: 1
            border.color: Scene.globalSetting_color
        }

        Rectangle {
            readonly property int index: area.containsMouse ? fileList.rowAt(area.mouseX, area.mouseY) : -1
            y: fileList.rowY(index)
            width: parent.width
            height: fileList.rowHeight
            visible: index >= 0 && index !== fileList.currentIndex
            color: Qt.rgba(Scene.globalSetting_color.r, Scene.globalSetting_color.g, Scene.globalSetting_color.b, 0.12)
        }
    }

    ListView {
        id: view
        anchors.fill: parent
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        model: fileList.mdItems

        delegate: Item {
            id: row

            required property var model

            // An array's item arrives as modelData; a ListModel row as the model's roles.
            readonly property var entry: model.modelData !== null && typeof model.modelData === "object" ? model.modelData : model
            readonly property string name: entry && entry.textX !== undefined ? String(entry.textX) : ""
            readonly property string tag: entry && entry.textR !== undefined ? String(entry.textR).trim() : ""
            readonly property int margin: 5

            width: ListView.view.width
            height: 20

            SceneText {
                id: nameText
                x: row.margin
                width: row.width - 2 * row.margin - (row.tag === "" ? 0 : tagText.implicitWidth + row.margin)
                anchors.verticalCenter: parent.verticalCenter
                text: row.name
                elide: Text.ElideRight
                // Long names shrink a little before they are cut.
                fontSizeMode: Text.HorizontalFit
                minimumPixelSize: 9
                color: Scene.globalSetting_color_enable
            }

            SceneText {
                id: tagText
                anchors.right: parent.right
                anchors.rightMargin: row.margin
                anchors.verticalCenter: parent.verticalCenter
                text: row.tag
                color: nameText.color
            }
        }
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        onClicked: mouse => {
            const index = fileList.rowAt(mouse.x, mouse.y)
            if (index < 0)
                return
            if (mouse.button === Qt.RightButton)
                fileList.listElementRightBtnClicked(index)
            else
                fileList.listElementClicked(index)
        }
    }

    // The rename field, laid over the row being renamed.
    Rectangle {
        y: fileList.rowY(privateState.editIndex)
        width: parent.width
        height: fileList.rowHeight
        visible: privateState.editIndex >= 0
        color: "black"
        border.width: 1
        border.color: Scene.globalSetting_color

        TextInput {
            id: input
            x: fileList.textMargin
            width: parent.width - 2 * fileList.textMargin
            anchors.verticalCenter: parent.verticalCenter
            clip: true
            font.family: Scene.globalSetting_fontFamily
            font.pixelSize: Scene.globalSetting_size
            font.bold: true
            color: Scene.globalSetting_color
            selectionColor: Scene.globalSetting_color
            selectedTextColor: "black"
            // Characters a file name cannot hold.
            validator: RegularExpressionValidator { regularExpression: /[^\\\/:*?"<>|]*/ }
            onAccepted: fileList.completeEdit(text)
            Keys.onEscapePressed: fileList.stopEditFileName()
            onActiveFocusChanged: {
                if (!activeFocus)
                    fileList.stopEditFileName()
            }
        }
    }
}
