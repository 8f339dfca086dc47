import QtQuick
import modules.qml

// A key field: the name of keycodeUSB, "【 KEYS 】" while empty, "╳" under the pointer.
// A click empties it and emits clearKey. The owner sets isDragOver while a dragged key
// is over the field.
Rectangle {
    id: keyInput

    property int keycodeUSB: -1
    property bool isDragOver: false

    signal clearKey

    readonly property string emptyText: "【 KEYS 】"
    readonly property string clearText: "╳"

    // The key's name, or undefined for a code without one (or before the names are known).
    function keyName(code) {
        const table = Scene.keyCodeString
        if (!table || !Number.isInteger(code) || code < 0)
            return undefined
        const name = table.keycodeTostr(code)
        return name === undefined || name === null || name === "" ? undefined : String(name)
    }

    // Shows `keycode`; a code without a name empties the field.
    function setKeycodeUSB(keycode) {
        const code = Number(keycode)
        keycodeUSB = keyName(code) === undefined ? -1 : code
    }

    implicitWidth: 65
    implicitHeight: 23
    color: "black"
    border.width: 1
    border.color: area.containsMouse || isDragOver ? Scene.globalSetting_color : Scene.globalSetting_color_enable

    Text {
        objectName: "label"
        readonly property var name: keyInput.keyName(keyInput.keycodeUSB)

        anchors.centerIn: parent
        width: parent.width - 4
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: area.containsMouse ? keyInput.clearText : name === undefined ? keyInput.emptyText : name
        font.family: "Arial"
        font.pixelSize: 10
        // Long names shrink a little before they are cut.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 8
        color: area.containsMouse ? Scene.globalSetting_color : Scene.globalSetting_color_enable
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            keyInput.keycodeUSB = -1
            keyInput.clearKey()
        }
    }
}
