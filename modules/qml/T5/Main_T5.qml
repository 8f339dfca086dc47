import QtQuick
import modules.qml

// The keyboard's main item: the page area with the four device pages, the function menu
// at the left and the profile menu at the right.
Item {
    id: main_T5
    width: 1000
    height: 600

    property int lastPressKeyCode: 0 // usage of the last key pressed
    // Off while the global settings panel is open: the device area is dimmed and still.
    property bool deviceAreaEnabled: true
    // initUI has filled the pages; a lighting change reported before that has nothing to
    // refresh.
    property bool initialised: false

    property var _HWDef: []
    property var _UsbStr: []
    property var _UsbCode: []
    property int _MaxProfile: 0

    // The root's key events, passed on to the pages that capture keys.
    signal msg_KB(bool isDown, int usbCode)
    // The bottom bar's reset and apply of every page.
    signal btnTotalResetClicked
    signal btnTotalApplyClicked

    Connections {
        target: Scene
        function onMsg_KB(isDown, usbCode) {
            if (isDown)
                main_T5.lastPressKeyCode = usbCode
            main_T5.msg_KB(isDown, usbCode)
        }
    }

    function initUI() {
        _HWDef = Scene.view.loadHWDef()
        _UsbStr = Scene.view.loadUsbStr()
        _UsbCode = Scene.view.loadUsbCode()
        _MaxProfile = Scene.view.getMaxProfile()
        _KeyCodeString.initUI(_HWDef, _UsbStr, _UsbCode)
        pfItem.initProfile(_MaxProfile)
        pfItem.currentIndex = Scene.view.ui_A1H_GetCurrentProfile()
        _Page_Keydefine.initUI(true, _HWDef)
        _Page_Macro.initUI()
        Scene.view.syncLed()
        _Page_Color.initUI(true, _HWDef)
        _Page_BackLighting.initUI()
        initialised = true
    }

    // The keyboard's lighting changed on the keyboard itself.
    function zzzBrisol() {
        if (!initialised)
            return
        _Page_Color.initUI()
        _Page_BackLighting.initUI()
        _Page_Color.playEffect(_Page_Color.visible)
    }

    function playOnPowerOn() {
        script_PowerOn.restart()
    }

    function setSkin() {
        fnItem.setSkin()
    }

    function translateStrings(code) {
        _Page_Keydefine.translateStrings()
        _Page_Macro.translateStrings()
        _Page_Color.translateStrings()
        _Page_BackLighting.translateStrings()
        fnItem.translateStrings()
        pfItem.translateStrings()
    }

    // A profile chosen in the profile menu (or the current one loaded or reset): the
    // keyboard switches to it and the pages show its settings.
    function profileChosen(index) {
        Scene.view.ui_21H_SetCurrentProfile(index)
        _Page_Keydefine.initUI()
        Scene.view.syncLed()
        _Page_Color.initUI()
        _Page_BackLighting.initUI()
        _Page_Color.playEffect(_Page_Color.visible)
    }

    KeyCodeString {
        id: _KeyCodeString
        Component.onCompleted: Scene.keyCodeString = _KeyCodeString
    }

    // Shows one page at a time. A page slides in from the right and out to the right;
    // a new choice during a slide completes that slide at once.
    Flickable {
        id: _fkPage
        objectName: "pageArea"
        x: 171
        y: 96
        width: 759
        height: 442
        interactive: false
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        visible: false
        enabled: main_T5.deviceAreaEnabled
        opacity: enabled ? 1.0 : 0.2

        property int curID: 0
        property int tmpIndex: -1 // the page to show once the current one has slid out
        readonly property int slideDistance: 2 * width

        function show(index) {
            Scene.view.playMedia_Index(0x02)
            if (paBack_X.running) {
                tmpIndex = index
                paBack_X.complete()
            } else if (pa_X.running) {
                curID = index
                pa_X.complete()
            } else if (index < 0) {
                tmpIndex = index
                paBack_X.start()
            } else if (tmpIndex < 0) {
                tmpIndex = index
                curID = index
                pa_X.start()
            } else {
                tmpIndex = index
                paBack_X.start()
            }
        }

        Page_Keydefine {
            id: _Page_Keydefine
            visible: _fkPage.curID === 0
        }

        Page_Macro {
            id: _Page_Macro
            y: 46
            visible: _fkPage.curID === 1
        }

        Page_Color {
            id: _Page_Color
            visible: _fkPage.curID === 2
            onVisibleChanged: if (loaded) playEffect(visible)
            property bool loaded: false
            Component.onCompleted: loaded = true
        }

        Page_BackLighting {
            id: _Page_BackLighting
            y: 46
            visible: _fkPage.curID === 3
            onVisibleChanged: if (visible) syncColor()
        }

        NumberAnimation {
            id: pa_X
            objectName: "pa_X"
            target: _fkPage
            property: "contentX"
            from: -_fkPage.slideDistance
            to: 0
            easing.type: Easing.OutCubic
            duration: Scene.animation_speed * 0.5
        }

        NumberAnimation {
            id: paBack_X
            objectName: "paBack_X"
            target: _fkPage
            property: "contentX"
            from: 0
            to: -_fkPage.slideDistance
            easing.type: Easing.InCubic
            duration: Scene.animation_speed * 0.5
            onFinished: {
                _fkPage.curID = _fkPage.tmpIndex
                if (_fkPage.tmpIndex >= 0)
                    pa_X.start()
            }
        }
    }

    Menu_Func {
        id: fnItem
        objectName: "fnItem"
        x: 8
        y: 180
        visible: false
        enabled: main_T5.deviceAreaEnabled
        opacity: enabled ? 1.0 : 0.2
        onIndexChanged_btn: (index) => _fkPage.show(index)
    }

    Menu_Prof {
        id: pfItem
        objectName: "pfItem"
        x: 1000 - width - 8
        y: 95
        visible: false
        enabled: main_T5.deviceAreaEnabled
        opacity: enabled ? 1.0 : 0.2
        onIndexChanged_btn: (index) => main_T5.profileChosen(index)
    }

    // The side menus spring in from the window's edges; then the chosen page, if any.
    ParallelAnimation {
        id: script_PowerOn
        NumberAnimation { target: pfItem; property: "x"; from: 1000; to: 1000 - pfItem.width - 8; easing.type: Easing.OutElastic; duration: Scene.animation_speed }
        NumberAnimation { target: fnItem; property: "x"; from: -150; to: 8; easing.type: Easing.OutElastic; duration: Scene.animation_speed }
        onStarted: {
            pfItem.x = 1000
            fnItem.x = -150
            pfItem.visible = true
            fnItem.visible = true
        }
        onFinished: {
            _fkPage.visible = true
            _fkPage.curID = fnItem.currentIndex
            pa_X.start()
        }
    }
}
