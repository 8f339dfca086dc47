pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The profile menu: a row per keyboard profile, "P01" and on. A left click chooses a
// profile; a right click opens LOAD / SAVE / RESET / CANCEL for that row.
Item {
    id: menuProf
    property int currentIndex: 0
    signal indexChanged_btn(int index)

    readonly property int rowWidth: 49
    readonly property int rowHeight: 26
    readonly property int maxRows: 10

    width: container.width
    height: container.height

    // Shows `maxProfile` rows.
    function initProfile(maxProfile) {
        rows.clear()
        for (let i = 0; i < maxProfile; ++i)
            rows.append({ label: profileLabel(i) })
    }

    function profileLabel(index) {
        return "P" + String(index + 1).padStart(2, "0")
    }

    function translateStrings() {
        contextEntries.setProperty(0, "label", Scene.text(84, "LOAD"))
        contextEntries.setProperty(1, "label", Scene.text(85, "SAVE"))
        contextEntries.setProperty(2, "label", Scene.text(77, "RESET"))
        contextEntries.setProperty(3, "label", Scene.text(78, "CANCEL"))
    }

    function leftClicked(index) {
        if (index === currentIndex)
            return
        currentIndex = index
        indexChanged_btn(index)
    }

    // The context menu's action for the remembered row, once the menu has faded out.
    function runContextAction(entry, row) {
        if (entry === 0) {
            Scene.view.loadProfile(row)
            if (row === currentIndex)
                indexChanged_btn(currentIndex)
        } else if (entry === 1) {
            Scene.view.saveProfile(row)
        } else if (entry === 2) {
            Scene.view.resetProfile(row)
            if (row === currentIndex)
                indexChanged_btn(currentIndex)
        }
    }

    Component.onCompleted: initProfile(4)

    ListModel { id: rows }

    Image {
        id: container
        source: Scene.sourceListPfContainer
    }

    ListView {
        id: list
        objectName: "profileList"
        x: 23
        y: 97
        width: menuProf.rowWidth
        height: menuProf.rowHeight * menuProf.maxRows
        interactive: false
        model: rows
        delegate: Image {
            id: row
            required property int index
            required property string label
            objectName: "profileRow" + index
            width: menuProf.rowWidth
            height: menuProf.rowHeight
            source: menuProf.currentIndex === index || rowArea.containsMouse ? Scene.sourceFW1 : Scene.sourceFW0

            Text {
                anchors.centerIn: parent
                text: row.label
                font.family: "Arial"
                font.pixelSize: Scene.globalSetting_size
                font.bold: true
                color: Scene.globalSetting_color
            }

            MouseArea {
                id: rowArea
                anchors.fill: parent
                hoverEnabled: true
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                onClicked: (mouse) => {
                    if (mouse.button === Qt.RightButton)
                        contextMenu.openAt(row.index, mouse.x - 45, row.index * menuProf.rowHeight + mouse.y + 85)
                    else
                        menuProf.leftClicked(row.index)
                }
            }
        }
    }

    ListModel {
        id: contextEntries
        ListElement { label: "LOAD" }
        ListElement { label: "SAVE" }
        ListElement { label: "RESET" }
        ListElement { label: "CANCEL" }
    }

    Column {
        id: contextMenu
        objectName: "profileContextMenu"
        visible: false
        opacity: 0
        z: 1
        property int row: -1
        property int chosenEntry: -1

        function openAt(row, menuX, menuY) {
            fadeOut.stop()
            contextMenu.row = row
            x = menuX
            y = menuY
            visible = true
            fadeIn.restart()
        }

        function choose(entry) {
            chosenEntry = entry
            fadeIn.stop()
            fadeOut.restart()
        }

        Repeater {
            model: contextEntries
            delegate: Rectangle {
                id: cell
                required property int index
                required property string label
                objectName: "contextEntry" + index
                width: 45
                height: 20
                color: "#20000000"

                SceneText {
                    anchors.fill: parent
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    // Longer words (CANCEL, translations) shrink to the cell's width.
                    fontSizeMode: Text.HorizontalFit
                    minimumPixelSize: 8
                    text: cell.label
                    color: cellArea.containsMouse ? Scene.globalSetting_color : Scene.globalSetting_color_enable
                }

                MouseArea {
                    id: cellArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: contextMenu.choose(cell.index)
                }
            }
        }

        NumberAnimation {
            id: fadeIn
            target: contextMenu
            property: "opacity"
            from: 0
            to: 1
            easing.type: Easing.OutExpo
            duration: Scene.animation_speed * 1.5
        }

        NumberAnimation {
            id: fadeOut
            target: contextMenu
            property: "opacity"
            to: 0
            duration: Scene.animation_speed
            onFinished: {
                contextMenu.visible = false
                menuProf.runContextAction(contextMenu.chosenEntry, contextMenu.row)
            }
        }
    }
}
