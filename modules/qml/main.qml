import QtQuick

// The scene's root. Native code calls its functions by name: setProtectUI (direct),
// initUI, zzzBrisol, run, close, detectKeyboard and detectMouse (queued).
Item {
    id: mainIten
    width: 1000
    height: 600
    visible: false // the opening sequence shows the scene
    clip: true

    property int animation_speed: 400
    property bool initialised: false // initUI has built the pages
    property int keyboardLightingChanges: 0 // lighting changes the keyboard reported

    signal msg_KB(bool isDown, int usbCode)

    function setProtectUI(interval) {
        busyIndicator.visible = true
        ui_View.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.restart()
    }

    function initUI() {
        initialised = true
    }

    function zzzBrisol() {
        keyboardLightingChanges++
        // A lighting change made on the keyboard before the pages exist has nothing to refresh.
        if (!initialised)
            return
    }

    function run() {
        script0.restart()
    }

    function close() {
        scriptEnd.restart()
    }

    function detectKeyboard(isDown, usbCode) {
        msg_KB(isDown, usbCode)
    }

    function detectMouse(isDown, buttonCode, x, y) {
    }

    Timer {
        id: tmrProtectUI
        repeat: false
        onRunningChanged: {
            if (!running) {
                ui_View.setEnabled(true)
                busyIndicator.visible = false
            }
        }
    }

    Rectangle {
        id: envItem
        anchors.fill: parent
        radius: 14
        opacity: 0
        gradient: Gradient {
            GradientStop { position: 0.0; color: "#2b2d33" }
            GradientStop { position: 1.0; color: "#141518" }
        }
        border.color: "#3c3f46"
    }

    // Dragging the background moves the window by the pointer's displacement.
    MouseArea {
        anchors.fill: parent
        property point pressedAt
        onPressed: (mouse) => pressedAt = Qt.point(mouse.x, mouse.y)
        onPositionChanged: (mouse) => {
            ui_Ctl.onXChanged(mouse.x - pressedAt.x)
            ui_Ctl.onYChanged(mouse.y - pressedAt.y)
        }
    }

    Text {
        id: logo
        objectName: "logo"
        x: (parent.width - width) / 2
        y: 270
        opacity: 0
        text: "VALDRIN QN9"
        font.family: "Arial"
        font.pixelSize: 30
        font.bold: true
        font.letterSpacing: 6
        color: "#e1e1e1"
    }

    Text {
        id: busyIndicator
        objectName: "busyIndicator"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 560
        visible: false
        text: "LOADING ......"
        font.family: "Arial"
        font.pixelSize: 14
        font.bold: true
        color: "#e1e1e1"
        SequentialAnimation on opacity {
            running: busyIndicator.visible
            loops: Animation.Infinite
            NumberAnimation { from: 1.0; to: 0.2; duration: 500 }
            NumberAnimation { from: 0.2; to: 1.0; duration: 500 }
        }
    }

    SequentialAnimation {
        id: script0
        objectName: "script0"
        ScriptAction {
            script: {
                mainIten.visible = true
                ui_View.playMedia_Index(0x01)
            }
        }
        NumberAnimation { target: logo; property: "opacity"; from: 0.0; to: 1.0; easing.type: Easing.InCirc; duration: animation_speed }
        NumberAnimation { target: logo; property: "y"; from: 270; to: 4; easing.type: Easing.OutExpo; duration: animation_speed * 1.5 }
        NumberAnimation { target: envItem; property: "opacity"; from: 0.0; to: 1.0; easing.type: Easing.OutCirc; duration: animation_speed }
    }

    NumberAnimation {
        id: scriptEnd
        objectName: "scriptEnd"
        target: mainIten
        property: "height"
        from: 600
        to: 0
        easing.type: Easing.InOutCubic
        duration: animation_speed
        onFinished: ui_Ctl.onClose()
    }
}
