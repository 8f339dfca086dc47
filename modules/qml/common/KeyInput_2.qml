import QtQuick
import modules.qml

// A key capture field: "KEY【 PRESS ANY 】" while empty, "KEY 【 name 】" when set.
// A click empties it and arms or disarms it (isSelect); while armed, the next key event
// passed to detectKeyboard ends the capture and sets the field to that key when it has
// a name, else leaves it empty, and emits inputComplete with the field's new code.
Rectangle {
    id: keyInput

    property int keycodeUSB: -1
    property bool isSelect: false

    signal inputComplete(int usbCode)

    readonly property string emptyText: "KEY【 PRESS ANY 】"

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

    // A key event from the hooks (press or release); taken only while armed.
    function detectKeyboard(isDown, usbCode) {
        if (!isSelect)
            return
        isSelect = false
        setKeycodeUSB(usbCode)
        keyInput.inputComplete(keycodeUSB)
    }

    implicitWidth: 151
    implicitHeight: 23
    color: "black"
    border.width: 1
    border.color: area.containsMouse || isSelect ? Scene.globalSetting_color : Scene.globalSetting_color_enable

    SceneText {
        objectName: "label"
        readonly property var name: keyInput.keyName(keyInput.keycodeUSB)

        anchors.centerIn: parent
        width: parent.width - 4
        horizontalAlignment: Text.AlignHCenter
        elide: Text.ElideRight
        text: name === undefined ? keyInput.emptyText : "KEY 【 " + name + " 】"
        // Long texts shrink a little before they are cut.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 9
        color: area.containsMouse || keyInput.isSelect ? Scene.globalSetting_color : Scene.globalSetting_color_enable
    }

    MouseArea {
        id: area
        anchors.fill: parent
        hoverEnabled: true
        onClicked: {
            keyInput.keycodeUSB = -1
            keyInput.isSelect = !keyInput.isSelect
        }
    }
}
