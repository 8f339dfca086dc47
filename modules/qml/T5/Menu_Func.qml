pragma ComponentBehavior: Bound
import QtQuick
import modules.qml

// The function menu: KEY, MACRO, COLOR, BACKLIGHTING. Clicking the current entry closes
// its page; indexChanged_btn(index) reports the new current entry (-1 for none).
Item {
    id: menuFunc
    property int currentIndex: -1
    // Skin folder of the icons of entries 0 to 2; the backlighting entry keeps the first
    // skin's colour icon.
    property string iconFolder: Scene.firstSkinFolder
    signal indexChanged_btn(int index)

    readonly property int buttonWidth: 150
    readonly property int buttonHeight: 37
    readonly property int buttonSpacing: 10

    width: buttonWidth
    height: 4 * buttonHeight + 3 * buttonSpacing

    function setSkin() {
        iconFolder = Scene.skinFolder
    }

    function translateStrings() {
        entries.setProperty(0, "name", Scene.text(74, "KEY"))
        entries.setProperty(1, "name", Scene.text(75, "MACRO"))
        entries.setProperty(2, "name", Scene.text(76, "COLOR"))
        entries.setProperty(3, "name", Scene.text(86, "BACKLIGHTING"))
    }

    function choose(index) {
        currentIndex = index === currentIndex ? -1 : index
        indexChanged_btn(currentIndex)
    }

    ListModel {
        id: entries
        ListElement { name: "KEY"; icon: "fnKeydefine"; firstSkinOnly: false }
        ListElement { name: "MACRO"; icon: "fnMacro"; firstSkinOnly: false }
        ListElement { name: "COLOR"; icon: "fnColor"; firstSkinOnly: false }
        ListElement { name: "BACKLIGHTING"; icon: "fnColor"; firstSkinOnly: true }
    }

    Column {
        spacing: menuFunc.buttonSpacing
        Repeater {
            model: entries
            delegate: Image {
                id: button
                required property int index
                required property string name
                required property string icon
                required property bool firstSkinOnly
                objectName: "fnButton" + index
                width: menuFunc.buttonWidth
                height: menuFunc.buttonHeight
                source: buttonArea.containsMouse ? Scene.sourceListFnBtn_1 : Scene.sourceListFnBtn_0

                Image {
                    id: iconImage
                    x: button.width / 15
                    anchors.verticalCenter: parent.verticalCenter
                    source: (button.firstSkinOnly ? Scene.firstSkinFolder : menuFunc.iconFolder) + "list_fn/"
                            + button.icon + (menuFunc.currentIndex === button.index ? "_1.png" : "_0.png")
                }

                SceneText {
                    anchors.left: iconImage.right
                    anchors.leftMargin: 15
                    // The baseline 4 px below the centre line centres the capitals.
                    anchors.baseline: parent.verticalCenter
                    anchors.baselineOffset: 4
                    text: button.name
                }

                MouseArea {
                    id: buttonArea
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: menuFunc.choose(button.index)
                }
            }
        }
    }
}
