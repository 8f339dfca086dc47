import QtQuick
import modules.qml

// A combination field: collects up to three pressed keys (the hooks' key-downs) and shows
// their names joined by "+". A click starts a new capture (emits clearKey); the confirm
// picture at the right ends it and emits inputComplete with the three codes.
Rectangle {
    id: combo

    property int keyCount: 0
    property int keycodeUSB0: 0
    property int keycodeUSB1: 0
    property int keycodeUSB2: 0
    property string text: "【 COMBO KEYS 】"
    readonly property bool isCapturing: privateState.isCapturing

    signal clearKey
    signal inputComplete(int keycode0, int keycode1, int keycode2)

    readonly property int maxKeys: 3
    readonly property int textMargin: 5
    readonly property int confirmX: 150
    readonly property string separator: "+"

    // The key's name, or undefined for a code without one (or before the names are known).
    function keyName(code) {
        const table = Scene.keyCodeString
        if (!table || !Number.isInteger(code) || code < 0)
            return undefined
        const name = table.keycodeTostr(code)
        return name === undefined || name === null || name === "" ? undefined : String(name)
    }

    // The text for a combination: all three names, or the first two when only the third
    // has none; otherwise `current` stays.
    function comboText(name0, name1, name2, current) {
        if (name0 === undefined || name1 === undefined)
            return current
        return name2 === undefined ? name0 + separator + name1
                                   : name0 + separator + name1 + separator + name2
    }

    function setCode(slot, code) {
        if (slot === 0)
            keycodeUSB0 = code
        else if (slot === 1)
            keycodeUSB1 = code
        else
            keycodeUSB2 = code
    }

    // A key event from the hooks: a named key-down is taken while fewer than three are held.
    function recordKey(isDown, usbCode) {
        if (!isDown || keyCount >= maxKeys)
            return
        const name = keyName(usbCode)
        if (name === undefined)
            return
        setCode(keyCount, usbCode)
        text = keyCount === 0 ? name : text + separator + name
        keyCount += 1
    }

    function startCapture() {
        text = "【 " + Scene.text(49, "COMBO KEY") + " 】"
        keycodeUSB0 = 0
        keycodeUSB1 = 0
        keycodeUSB2 = 0
        keyCount = 0
        privateState.isCapturing = true
        combo.clearKey()
    }

    function confirm() {
        privateState.isCapturing = false
        combo.inputComplete(keycodeUSB0, keycodeUSB1, keycodeUSB2)
    }

    // Shows an existing combination. It counts as complete: new keys need a click first.
    function setKeycodeUSB(keycode0, keycode1, keycode2) {
        keycodeUSB0 = Number(keycode0) || 0
        keycodeUSB1 = Number(keycode1) || 0
        keycodeUSB2 = Number(keycode2) || 0
        keyCount = maxKeys
        privateState.isCapturing = false
        text = comboText(keyName(keycodeUSB0), keyName(keycodeUSB1), keyName(keycodeUSB2), text)
    }

    implicitWidth: 180
    implicitHeight: 23
    color: "black"
    border.width: 1
    border.color: fieldArea.containsMouse || confirmArea.containsMouse || privateState.isCapturing
                  ? Scene.globalSetting_color : Scene.globalSetting_color_enable

    QtObject {
        id: privateState
        property bool isCapturing: false
    }

    // A hidden or disabled field takes no keys.
    Connections {
        target: Scene
        enabled: combo.visible && combo.enabled
        function onMsg_KB(isDown, usbCode) {
            combo.recordKey(isDown, usbCode)
        }
    }

    Text {
        x: combo.textMargin
        width: combo.confirmX - 2 * combo.textMargin
        anchors.verticalCenter: parent.verticalCenter
        text: combo.text
        elide: Text.ElideRight
        font.family: "Arial"
        font.pixelSize: 10
        // Long names shrink a little before they are cut.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 8
        color: privateState.isCapturing ? Scene.globalSetting_color : Scene.globalSetting_color_enable
    }

    MouseArea {
        id: fieldArea
        anchors.fill: parent
        hoverEnabled: true
        onClicked: combo.startCapture()
    }

    Image {
        id: confirmButton
        objectName: "confirmButton"
        x: combo.confirmX
        anchors.verticalCenter: parent.verticalCenter
        source: confirmArea.containsMouse ? Scene.sourceApply1 : Scene.sourceApply0

        MouseArea {
            id: confirmArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: combo.confirm()
        }
    }
}
