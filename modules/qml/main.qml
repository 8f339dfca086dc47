import QtQuick

// The scene's root. Native code calls its functions by name: setProtectUI (direct),
// initUI, zzzBrisol, run, close, detectKeyboard and detectMouse (queued). It is created
// before the native objects are published, so nothing here calls them while loading.
Item {
    id: mainIten
    width: 1000
    height: 600
    visible: false // the opening sequence shows the scene
    clip: true // the closing animation folds the window up

    signal msg_KB(bool isDown, int usbCode)
    onMsg_KB: (isDown, usbCode) => Scene.msg_KB(isDown, usbCode)

    // The native objects become reachable once published; the test harness publishes
    // stand-ins under the same names.
    Binding { target: Scene; property: "view"; value: typeof ui_View === "undefined" ? null : ui_View } // qmllint disable unqualified
    Binding { target: Scene; property: "ctl"; value: typeof ui_Ctl === "undefined" ? null : ui_Ctl } // qmllint disable unqualified

    // The text style, strings and skin are the global settings page's choices.
    Binding { target: Scene; property: "globalSetting_size"; value: _Page_Globalsetting._Size }
    Binding { target: Scene; property: "globalSetting_color"; value: _Page_Globalsetting._Color }
    Binding { target: Scene; property: "globalSetting_color_enable"; value: _Page_Globalsetting._ColorEnable }
    Binding { target: Scene; property: "globalSetting_color_disable"; value: _Page_Globalsetting._ColorDisable }
    Binding { target: Scene; property: "animation_speed"; value: _Page_Globalsetting._AnimationSpeed }
    Binding { target: Scene; property: "globalSetting_stringList"; value: _Page_Globalsetting._StringList }
    Binding { target: Scene; property: "globalSetting_fontFamily"; value: _Page_Globalsetting._FontFamily }
    Binding { target: Scene; property: "globalSetting_url"; value: _Page_Globalsetting._Url }
    Binding { target: Scene; property: "skin_No"; value: _Page_Globalsetting.skin_No }
    Binding { target: Scene; property: "isCustomBackground"; value: _Page_Globalsetting.isCustomBackground }

    Connections {
        target: Scene
        function onProtectRequested(interval) { mainIten.setProtectUI(interval) }
    }

    // Holds the whole view busy for `interval` ms.
    function setProtectUI(interval) {
        protectUIItem.setBusy(true)
        Scene.view.setEnabled(false)
        tmrProtectUI.interval = interval
        tmrProtectUI.restart()
    }

    function initUI() {
        _Page_Globalsetting.initUI()
        main_T5.initUI()
    }

    // The keyboard reported a lighting change made on it.
    function zzzBrisol() {
        main_T5.zzzBrisol()
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

    function setSkin() {
        downItem.setSkin()
        main_T5.setSkin()
    }

    function translateStrings(code) {
        _Page_Globalsetting.translateStrings()
        main_T5.translateStrings(code)
    }

    // Dragging the background moves the window by the pointer's distance from where it
    // was pressed; the window follows the pointer, so that point stays where it is.
    MouseArea {
        id: dragRegion
        anchors.fill: parent
        property point pressedAt
        onPressed: (mouse) => pressedAt = Qt.point(mouse.x, mouse.y)
        onPositionChanged: (mouse) => {
            Scene.ctl.onXChanged(mouse.x - pressedAt.x)
            Scene.ctl.onYChanged(mouse.y - pressedAt.y)
        }
    }

    BusyIndicator {
        id: protectUIItem
        objectName: "protectUIItem"
        anchors.centerIn: parent
        z: 99
    }

    Timer {
        id: tmrProtectUI
        interval: 1000
        repeat: false
        onTriggered: {
            Scene.view.setEnabled(true)
            protectUIItem.setBusy(false)
        }
    }

    Environment {
        id: envItem
        opacity: 0
    }

    Main_T5 {
        id: main_T5
        objectName: "main_T5"
        deviceAreaEnabled: !upItem.isGlobalSettingSelect
    }

    Environment_Decoration {
        id: envDecorationItem
        opacity: 0
    }

    Menu_Down {
        id: downItem
        objectName: "downItem"
        y: 600
        enabled: !upItem.isGlobalSettingSelect
        opacity: enabled ? 1.0 : 0.2
        onBtnTotalResetClicked: main_T5.btnTotalResetClicked()
        onBtnTotalApplyClicked: main_T5.btnTotalApplyClicked()
    }

    Menu_Up {
        id: upItem
        objectName: "upItem"
        y: -600
        onBtnClicked: (index) => {
            if (index === 0)
                isGlobalSettingSelect = !isGlobalSettingSelect
            else if (index === 1)
                Scene.ctl.onMinimize()
            else if (index === 2)
                scriptEnd.start()
        }
        onIsGlobalSettingSelectChanged: {
            if (isGlobalSettingSelect)
                _fkGlobalsetting.show()
            else
                _fkGlobalsetting.close()
        }
    }

    Image {
        id: logoWeb_img
        objectName: "logoWeb_img"
        x: (parent.width - width) / 2
        y: 270
        opacity: 0
        source: logoArea.containsMouse ? Scene.sourceWeb1 : Scene.sourceWeb0
        MouseArea {
            id: logoArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                Scene.view.playMedia_Index(0x03)
                Qt.openUrlExternally(Scene.globalSetting_url)
            }
        }
    }

    // The global settings panel slides in from the left while the top bar's settings
    // button is selected.
    Flickable {
        id: _fkGlobalsetting
        objectName: "globalSettingPanel"
        x: 5
        y: 27
        width: 340
        height: 420
        interactive: false
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        visible: false

        function show() {
            if (gsClose.running) {
                gsClose.complete()
                show()
            } else if (gsOpen.running) {
                gsOpen.complete()
            } else {
                visible = true
                gsOpen.start()
            }
        }

        function close() {
            if (gsClose.running) {
                gsClose.complete()
            } else if (gsOpen.running) {
                gsOpen.complete()
                close()
            } else {
                gsClose.start()
            }
        }

        Page_Globalsetting {
            id: _Page_Globalsetting
            objectName: "pageGlobalsetting"
            onSkinApplied: mainIten.setSkin()
            onLanguageLoaded: (code) => mainIten.translateStrings(code)
            onCloseRequested: upItem.isGlobalSettingSelect = false
        }

        NumberAnimation {
            id: gsOpen
            target: _fkGlobalsetting
            property: "contentX"
            from: 340
            to: 0
            easing.type: Easing.OutCubic
            duration: Scene.animation_speed * 0.8
        }

        NumberAnimation {
            id: gsClose
            target: _fkGlobalsetting
            property: "contentX"
            from: 0
            to: 340
            easing.type: Easing.OutCubic
            duration: Scene.animation_speed * 0.8
            onFinished: _fkGlobalsetting.visible = false
        }
    }

    // The opening sequence: the logo appears and rises, the backdrop fades in, then the
    // bars and the side menus spring into place.
    SequentialAnimation {
        id: script0
        objectName: "script0"
        ScriptAction {
            script: {
                mainIten.visible = true
                Scene.view.playMedia_Index(0x01)
            }
        }
        NumberAnimation { target: logoWeb_img; property: "opacity"; from: 0.0; to: 1.0; easing.type: Easing.InCirc; duration: Scene.animation_speed }
        NumberAnimation { target: logoWeb_img; property: "y"; from: 270; to: 4; easing.type: Easing.OutExpo; duration: Scene.animation_speed * 1.5 }
        ParallelAnimation {
            NumberAnimation { target: envItem; property: "opacity"; from: 0.0; to: 1.0; easing.type: Easing.OutCirc; duration: Scene.animation_speed }
            NumberAnimation { target: envDecorationItem; property: "opacity"; from: 0.0; to: 1.0; easing.type: Easing.OutCirc; duration: Scene.animation_speed }
        }
        onFinished: {
            script1.start()
            main_T5.playOnPowerOn()
        }
    }

    ParallelAnimation {
        id: script1
        objectName: "script1"
        NumberAnimation { target: upItem; property: "y"; from: -600; to: 0; easing.type: Easing.OutElastic; duration: Scene.animation_speed }
        NumberAnimation { target: downItem; property: "y"; from: 600; to: 600 - downItem.height; easing.type: Easing.OutElastic; duration: Scene.animation_speed }
    }

    NumberAnimation {
        id: scriptEnd
        objectName: "scriptEnd"
        target: mainIten
        property: "height"
        from: 600
        to: 0
        easing.type: Easing.InOutCubic
        duration: Scene.animation_speed
        onFinished: Scene.ctl.onClose()
    }
}
