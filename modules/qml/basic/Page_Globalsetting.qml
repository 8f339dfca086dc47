import QtQuick
import modules.qml
import "builtinstrings.js" as BuiltinStrings
import "textcolour.js" as TextColour

// The application-wide options: skin, sound, animations, language, a custom background
// picture and the size, colour and brightness of every text of the scene. A change takes
// effect at once; APPLY stores all of them in the configuration list, RESET brings back
// the factory configuration. The page also owns the string table and text style that
// the frame hands to every other part of the scene.
Image {
    id: page
    width: 340
    height: 420
    source: Scene.sourceGlobalsettingBackground

    // The text style, strings and skin of the whole scene.
    property int _Size: 11
    property color _Color: "#FF00FFFF"
    property color _ColorEnable: "#FFAAAAAA"
    property color _ColorDisable: "#80FFFFFF"
    property int _AnimationSpeed: 800
    property var _StringList: BuiltinStrings.table.slice()
    property string _FontFamily: "Arial"
    property int skin_No: 1
    property bool isCustomBackground: false
    property string _Url: "https://valdrin.example/qn9"

    // The frame re-skins the scene.
    signal skinApplied()
    // A language was loaded: the frame renames the texts that do not follow the table.
    signal languageLoaded(var code)
    // APPLY is done: the frame closes the panel.
    signal closeRequested()

    // The choices, as positions in their controls; APPLY stores them so.
    property int soundChoice: 0 // 0 on, 1 off
    property int animationChoice: 0 // 0 on (800 ms), 1 off (10 ms)
    property int languageChoice: -1 // row of the loaded language; -1 while none is
    property int sizeChoice: 0 // 0 normal, 1 larger
    property bool isSkinShow: true // more than one skin is installed

    // The text colour: the selected one of the seven swatches (swatchModel), the colour
    // shown in the inputs and the brightness step.
    property int swatchIndex: 0
    property int _R: 255
    property int _G: 255
    property int _B: 255
    property int brightnessStep: 7

    readonly property int sizeNormal: 11
    readonly property int sizeLarger: 12
    readonly property int animationNormal: 800
    readonly property int animationFast: 10
    readonly property int controlX: 139
    readonly property int controlTop: 22
    readonly property int controlTopWithoutSkin: 11
    readonly property int controlSpacing: 10
    readonly property int labelGap: 20

    // Configuration list positions.
    readonly property int cfgSkin: 1
    readonly property int cfgSound: 2
    readonly property int cfgAnimation: 3
    readonly property int cfgLanguage: 4
    readonly property int cfgBackgroundOn: 5
    readonly property int cfgBackground: 6
    readonly property int cfgSize: 7
    readonly property int cfgSwatches: 8
    readonly property int cfgSwatchIndex: 29
    readonly property int cfgBrightness: 30
    readonly property int cfgUrl: 31

    // Loads the configuration list and shows it. Entries the list lacks leave their
    // settings as they are.
    function initUI() {
        const list = Scene.view.loadApConfig()
        // The language rows are listed even without a configuration, so one can be chosen.
        rebuildLanguages()
        if (list.length > 0)
            applyConfiguration(list)
        isSkinShow = Scene.view.getIsSkinShow()
    }

    function applyConfiguration(list) {
        const has = i => i < list.length
        if (has(cfgSkin)) {
            const skin = configInt(list[cfgSkin])
            // A skin the page does not offer would leave the scene without pictures.
            skin_No = skin >= 1 && skin <= skinModel.count ? skin : 1
            skinList.setCurIndex(skin_No - 1)
            skinApplied()
        }
        if (has(cfgSound)) {
            soundChoice = configChoice(list[cfgSound])
            soundList.setCurIndex(soundChoice)
            Scene.view.setEnableAudio(soundChoice === 0)
        }
        if (has(cfgAnimation)) {
            chooseAnimation(configChoice(list[cfgAnimation]))
            animationList.setCurIndex(animationChoice)
        }
        if (has(cfgLanguage)) {
            const row = configInt(list[cfgLanguage])
            if (row >= 0 && row < languageModel.count) {
                languageList.setCurIndex(row)
                loadLanguage(row)
            } else {
                // That language is gone: the current strings stay.
                languageChoice = -1
                languageList.setCurIndex(-1)
            }
        }
        if (has(cfgBackground))
            Scene.sourceCustomBackground = String(list[cfgBackground])
        if (has(cfgBackgroundOn))
            // Without a picture the translucent window would show nothing behind the pages.
            isCustomBackground = configBool(list[cfgBackgroundOn]) && String(Scene.sourceCustomBackground) !== ""
        if (has(cfgSize))
            chooseSize(configChoice(list[cfgSize]))
        for (let k = 0; k < swatchModel.count; ++k) {
            const i = cfgSwatches + 3 * k
            if (has(i + 2))
                setSwatch(k, configChannel(list[i]), configChannel(list[i + 1]), configChannel(list[i + 2]))
        }
        if (has(cfgSwatchIndex))
            selectSwatch(clamp(configInt(list[cfgSwatchIndex]), 0, swatchModel.count - 1))
        if (has(cfgBrightness)) {
            setBrightness(clamp(configInt(list[cfgBrightness]), 0, TextColour.BRIGHTNESS_STEPS))
            brightnessSlider.currentIndex = brightnessStep
        }
        if (has(cfgUrl))
            _Url = String(list[cfgUrl])
    }

    // The list APPLY stores: version 1, then every setting (its layout is the one
    // applyConfiguration reads).
    function configurationList() {
        const list = [1, skin_No, soundChoice, animationChoice, languageChoice, isCustomBackground,
                      String(Scene.sourceCustomBackground), sizeChoice]
        for (let k = 0; k < swatchModel.count; ++k)
            list.push(...swatch(k))
        list.push(swatchIndex, brightnessStep, _Url)
        return list
    }

    function apply() {
        Scene.view.saveApConfig(configurationList())
        closeRequested()
    }

    // Back to the factory configuration.
    function resetApconfig() {
        chooseSound(1)
        soundList.setCurIndex(1)
        Scene.view.resetApconfig()
        initUI()
        Scene.view.playMedia_Index(0)
    }

    // Renames the drop-down entries that come from the string table.
    function translateStrings() {
        skinModel.setProperty(0, "textX", str(39))
        skinModel.setProperty(1, "textX", str(40))
        for (const model of [soundModel, animationModel]) {
            model.setProperty(0, "textX", str(31))
            model.setProperty(1, "textX", str(32))
        }
    }

    // String k of the loaded language; the built-in one where the language lacks it.
    function str(k) {
        const s = _StringList[k]
        return s === undefined ? BuiltinStrings.table[k] : s
    }

    // The language rows: display name and code, in the names' order.
    function rebuildLanguages() {
        const map = Scene.view.chkLanguages()
        languageModel.clear()
        for (const name of Object.keys(map).sort())
            languageModel.append({ textX: name, code: String(map[name]) })
    }

    function loadLanguage(row) {
        languageChoice = row
        const code = languageModel.get(row).code
        _StringList = Scene.view.getGlobalStrings(code)
        languageLoaded(code)
        const family = _StringList[0]
        if (family)
            _FontFamily = family
    }

    function chooseSkin(index) {
        skin_No = index + 1
        skinApplied()
    }

    function chooseSound(index) {
        soundChoice = index
        if (index === 0) {
            Scene.view.setEnableAudio(true)
            Scene.view.playMedia_Index(0)
        } else {
            Scene.view.setEnableAudio(false)
            Scene.view.clearAllMedia()
        }
    }

    function chooseAnimation(index) {
        animationChoice = index
        _AnimationSpeed = index === 0 ? animationNormal : animationFast
    }

    // The two size boxes act as one choice: a click on the chosen one keeps it chosen.
    function chooseSize(index) {
        sizeChoice = index
        _Size = index === 0 ? sizeNormal : sizeLarger
        normalBox.isSelect = index === 0
        largerBox.isSelect = index === 1
    }

    // The background toggle: off asks for a picture, on drops it.
    function toggleBackground() {
        if (isCustomBackground) {
            isCustomBackground = false
            Scene.sourceCustomBackground = ""
            return
        }
        const path = Scene.view.getCustomFilePath()
        Scene.sourceCustomBackground = path === "" ? "" : "file:" + path
        isCustomBackground = path !== ""
    }

    function selectSwatch(k) {
        swatchIndex = k
        const c = swatch(k)
        _R = c[0]
        _G = c[1]
        _B = c[2]
        updateTextColour()
    }

    // A colour from the strip or the inputs becomes the selected swatch's colour.
    function setCurrentColour(r, g, b) {
        _R = r
        _G = g
        _B = b
        setSwatch(swatchIndex, r, g, b)
        updateTextColour()
    }

    // Swatch k as [red, green, blue].
    function swatch(k) {
        const c = swatchModel.get(k)
        return [c.r, c.g, c.b]
    }

    function setSwatch(k, r, g, b) {
        swatchModel.set(k, { r: r, g: g, b: b })
    }

    function setBrightness(step) {
        brightnessStep = step
        updateTextColour()
    }

    function updateTextColour() {
        _Color = Qt.rgba(_R / 255, _G / 255, _B / 255, TextColour.brightnessValue(brightnessStep) / 255)
    }

    // Configuration entries are numbers, booleans or texts as stored, or texts when read
    // back from the file.
    function configInt(v) {
        const n = parseInt(String(v), 10)
        return isNaN(n) ? 0 : n
    }

    function configBool(v) {
        if (typeof v === "string")
            return v !== "" && v !== "0" && v.toLowerCase() !== "false"
        return Boolean(v)
    }

    function configChoice(v) {
        return configInt(v) === 0 ? 0 : 1
    }

    function configChannel(v) {
        return clamp(configInt(v), 0, 255)
    }

    function clamp(v, low, high) {
        return Math.min(high, Math.max(low, v))
    }

    ListModel {
        id: skinModel
        ListElement { textX: "SKIN 1" }
        ListElement { textX: "SKIN 2" }
    }

    ListModel {
        id: soundModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }

    ListModel {
        id: animationModel
        ListElement { textX: "ON" }
        ListElement { textX: "OFF" }
    }

    ListModel {
        id: languageModel
    }

    ListModel {
        id: swatchModel
        ListElement { r: 0; g: 255; b: 255 }
        ListElement { r: 255; g: 200; b: 150 }
        ListElement { r: 255; g: 180; b: 0 }
        ListElement { r: 200; g: 200; b: 100 }
        ListElement { r: 200; g: 170; b: 255 }
        ListElement { r: 255; g: 180; b: 180 }
        ListElement { r: 160; g: 190; b: 160 }
    }

    // One colour channel: its letter and a three-digit field, taken when it loses focus.
    component ChannelInput: Row {
        id: channel
        property string name
        property int value
        signal taken(int value)

        SceneText {
            anchors.verticalCenter: parent.verticalCenter
            text: channel.name
        }

        Image {
            source: Scene.sourceInputValue

            TextInput {
                id: field
                objectName: "field"
                anchors.fill: parent
                horizontalAlignment: TextInput.AlignHCenter
                verticalAlignment: TextInput.AlignVCenter
                text: channel.value
                maximumLength: 3
                validator: IntValidator { bottom: 0; top: 255 }
                selectByMouse: true
                font.family: Scene.globalSetting_fontFamily
                font.pixelSize: Scene.globalSetting_size
                font.bold: true
                color: Scene.globalSetting_color_enable
                Keys.onReturnPressed: focus = false
                Keys.onEnterPressed: focus = false
                onActiveFocusChanged: {
                    if (activeFocus)
                        return
                    const v = parseInt(text, 10)
                    if (!isNaN(v) && v >= 0 && v <= 255 && v !== channel.value)
                        channel.taken(v)
                    text = Qt.binding(() => channel.value)
                }
            }
        }
    }

    // The five controls, stacked; an open list lies above the controls below it.
    DropdownList {
        id: skinList
        objectName: "skinList"
        x: page.controlX
        y: page.isSkinShow ? page.controlTop : page.controlTopWithoutSkin
        visible: page.isSkinShow
        mdItems: skinModel
        onListElementClicked: index => page.chooseSkin(index)
    }

    DropdownList {
        id: soundList
        objectName: "soundList"
        x: page.controlX
        anchors.top: skinList.bottom
        anchors.topMargin: page.controlSpacing
        mdItems: soundModel
        onListElementClicked: index => page.chooseSound(index)
    }

    DropdownList {
        id: animationList
        objectName: "animationList"
        x: page.controlX
        anchors.top: soundList.bottom
        anchors.topMargin: page.controlSpacing
        mdItems: animationModel
        onListElementClicked: index => page.chooseAnimation(index)
    }

    DropdownList {
        id: languageList
        objectName: "languageList"
        x: page.controlX
        anchors.top: animationList.bottom
        anchors.topMargin: page.controlSpacing
        mdItems: languageModel
        defaultIndex: -1 // no language is loaded until one is chosen
        onListElementClicked: index => page.loadLanguage(index)
    }

    Item {
        id: backgroundToggle
        objectName: "backgroundToggle"
        x: page.controlX
        anchors.top: languageList.bottom
        anchors.topMargin: page.controlSpacing
        width: skinList.width
        height: skinList.height

        SceneText {
            objectName: "backgroundText"
            anchors.verticalCenter: parent.verticalCenter
            text: "【 " + page.str(page.isCustomBackground ? 31 : 32) + " 】"
            color: backgroundArea.containsMouse ? Scene.globalSetting_color : Scene.globalSetting_color_enable
        }

        MouseArea {
            id: backgroundArea
            anchors.fill: parent
            hoverEnabled: true
            onClicked: page.toggleBackground()
        }
    }

    // The text style: size, colour and brightness. Its controls stand a little further
    // left than the ones above, so that both size choices fit with the longest shipped
    // labels at the larger size.
    Item {
        id: textBox
        x: 27
        y: 190
        width: 270
        height: 176

        readonly property int controlX: 100
        readonly property int labelGap: 12
        readonly property int swatchWidth: 19

        SceneText {
            x: 10
            y: 6
            text: page.str(33)
        }

        Row {
            id: sizeRow
            x: textBox.controlX
            y: 30
            spacing: 8

            Checkbox {
                id: normalBox
                objectName: "normalBox"
                chkStr: page.str(37)
                isSelect: true
                onClicked: page.chooseSize(0)
            }

            Checkbox {
                id: largerBox
                objectName: "largerBox"
                chkStr: page.str(38)
                isSelect: false
                onClicked: page.chooseSize(1)
            }
        }

        SceneText {
            anchors.right: sizeRow.left
            anchors.rightMargin: textBox.labelGap
            anchors.verticalCenter: sizeRow.verticalCenter
            text: page.str(34)
        }

        Row {
            id: swatchRow
            objectName: "swatchRow"
            x: textBox.controlX
            y: 56
            spacing: 2

            // A delegate sees only its own swatch; clicks are taken by swatchArea.
            Repeater {
                model: swatchModel

                Rectangle {
                    required property int index
                    required property int r
                    required property int g
                    required property int b
                    objectName: "swatch" + index
                    width: 19
                    height: 31
                    color: Qt.rgba(r / 255, g / 255, b / 255, 1)
                }
            }
        }

        MouseArea {
            id: swatchArea
            anchors.fill: swatchRow
            onClicked: mouse => {
                const pitch = textBox.swatchWidth + swatchRow.spacing
                const k = Math.floor(mouse.x / pitch)
                if (mouse.x - k * pitch < textBox.swatchWidth)
                    page.selectSwatch(k)
            }
        }

        // The bar above the selected swatch.
        Image {
            x: swatchRow.x + page.swatchIndex * (textBox.swatchWidth + swatchRow.spacing)
            anchors.bottom: swatchRow.top
            source: Scene.sourcePaletteIndex
        }

        SceneText {
            anchors.right: swatchRow.left
            anchors.rightMargin: textBox.labelGap
            anchors.verticalCenter: swatchRow.verticalCenter
            text: page.str(35)
        }

        // The strip is the vertical picture turned a quarter to the left, so it runs from
        // black at the left to black at the right; pixel p shows the colour of row p.
        Item {
            id: strip
            objectName: "colourStrip"
            x: textBox.controlX
            y: 95
            width: palette.height
            height: palette.width

            Image {
                id: palette
                source: Scene.sourcePalette
                transform: [
                    Rotation { angle: -90 },
                    Translate { y: palette.width }
                ]
            }

            MouseArea {
                anchors.fill: parent
                onPressed: mouse => pick(mouse.x)
                onPositionChanged: mouse => pick(mouse.x)

                function pick(x) {
                    const p = page.clamp(Math.floor(x), 0, strip.width - 1)
                    const c = TextColour.stripColour(p, strip.width)
                    page.setCurrentColour(c[0], c[1], c[2])
                }
            }
        }

        Row {
            id: channelRow
            x: textBox.controlX
            y: 119
            spacing: 8

            ChannelInput {
                objectName: "inputR"
                name: "R "
                value: page._R
                onTaken: v => page.setCurrentColour(v, page._G, page._B)
            }

            ChannelInput {
                objectName: "inputG"
                name: "G "
                value: page._G
                onTaken: v => page.setCurrentColour(page._R, v, page._B)
            }

            ChannelInput {
                objectName: "inputB"
                name: "B "
                value: page._B
                onTaken: v => page.setCurrentColour(page._R, page._G, v)
            }
        }

        Slider {
            id: brightnessSlider
            objectName: "brightnessSlider"
            x: textBox.controlX
            y: 150
            minIndex: 0
            onSliderClicked: index => page.setBrightness(index)
        }

        SceneText {
            anchors.right: brightnessSlider.left
            anchors.rightMargin: textBox.labelGap
            anchors.verticalCenter: brightnessSlider.verticalCenter
            text: page.str(36)
        }
    }

    // RESET and APPLY, under the right edge of the text box.
    Row {
        anchors.right: textBox.right
        anchors.top: textBox.bottom
        anchors.topMargin: 8
        spacing: 5

        Button_2state {
            id: resetButton
            objectName: "resetButton"
            source0: Scene.sourceReset0
            source1: Scene.sourceReset1
            onClicked: page.resetApconfig()
        }

        SceneText {
            anchors.verticalCenter: resetButton.verticalCenter
            text: page.str(77)
            rightPadding: 10
        }

        Button_2state {
            id: applyButton
            objectName: "applyButton"
            source0: Scene.sourceApply0
            source1: Scene.sourceApply1
            onClicked: page.apply()
        }

        SceneText {
            anchors.verticalCenter: applyButton.verticalCenter
            text: page.str(107)
        }
    }

    SceneText {
        anchors.right: skinList.left
        anchors.rightMargin: page.labelGap
        anchors.verticalCenter: skinList.verticalCenter
        visible: skinList.visible
        text: page.str(26)
    }

    SceneText {
        anchors.right: soundList.left
        anchors.rightMargin: page.labelGap
        anchors.verticalCenter: soundList.verticalCenter
        text: page.str(27)
    }

    SceneText {
        anchors.right: animationList.left
        anchors.rightMargin: page.labelGap
        anchors.verticalCenter: animationList.verticalCenter
        text: page.str(28)
    }

    SceneText {
        anchors.right: languageList.left
        anchors.rightMargin: page.labelGap
        anchors.verticalCenter: languageList.verticalCenter
        text: page.str(29)
    }

    SceneText {
        anchors.right: backgroundToggle.left
        anchors.rightMargin: page.labelGap
        anchors.verticalCenter: backgroundToggle.verticalCenter
        text: page.str(30)
    }
}
