import QtQuick
import QtTest
import modules.qml
import "qrc:/modules/qml/basic/textcolour.js" as TextColour

// The global settings page on its own, with the stand-in view.
Item {
    id: window
    width: 340
    height: 420

    TestCase {
        id: testCase
        name: "Globalsetting"
        when: windowShown

        Component {
            id: pageComponent
            Page_Globalsetting {}
        }

        Component {
            id: spyComponent
            SignalSpy {}
        }

        // A configuration as read back from apConfig.bin (every entry a text), with nothing
        // at its built-in value.
        readonly property var storedConfiguration: [
            "1", "2", "1", "1", "2", "true", "file:///tmp/own.png", "1",
            "10", "20", "30", "40", "50", "60", "70", "80", "90", "100", "110", "120",
            "130", "140", "150", "160", "170", "180", "190", "200", "210",
            "3", "2", "https://other.example/"]
        readonly property var languages: ({ "GERMAN": "094000", "CHINESE (Simp)": "058044", "ENGLISH": "075000" })
        readonly property var germanStrings: ["DejaVu Sans", "OPTIONEN", "SCHLEIFE"]

        property var page: null

        function init() {
            failOnWarning(/.*/)
            Scene.view = ui_View
            Scene.sourceCustomBackground = ""
            ui_View.reset()
            page = createTemporaryObject(pageComponent, window)
            verify(page)
        }

        // The shared scene state this page writes.
        function cleanup() {
            Scene.sourceCustomBackground = ""
        }

        function child(name) {
            const item = findChild(page, name)
            verify(item, name)
            return item
        }

        function spy(signalName) {
            return createTemporaryObject(spyComponent, testCase, { target: page, signalName: signalName })
        }

        function configure(list) {
            ui_View.setAnswer("loadApConfig", list)
            ui_View.setAnswer("chkLanguages", languages)
            ui_View.setAnswer("getGlobalStrings", germanStrings)
            page.initUI()
        }

        function rgb(c) {
            return [Math.round(c.r * 255), Math.round(c.g * 255), Math.round(c.b * 255)]
        }

        function test_stripColour_data() {
            return [
                { tag: "start is black", p: 0, length: 129, rgb: [0, 0, 0] },
                { tag: "red", p: 16, length: 129, rgb: [255, 0, 0] },
                { tag: "yellow", p: 32, length: 129, rgb: [255, 255, 0] },
                { tag: "green", p: 48, length: 129, rgb: [0, 255, 0] },
                { tag: "rate 4 is cyan", p: 64, length: 129, rgb: [0, 255, 255] },
                { tag: "blue", p: 80, length: 129, rgb: [0, 0, 255] },
                { tag: "magenta", p: 96, length: 129, rgb: [255, 0, 255] },
                { tag: "white", p: 112, length: 129, rgb: [255, 255, 255] },
                { tag: "end is black", p: 128, length: 129, rgb: [0, 0, 0] },
                { tag: "level 0, half rounds up", p: 8, length: 129, rgb: [128, 0, 0] },
                { tag: "level 1, quarter", p: 20, length: 129, rgb: [255, 64, 0] },
                { tag: "level 2, half", p: 40, length: 129, rgb: [127, 255, 0] },
                { tag: "level 3, quarter", p: 52, length: 129, rgb: [0, 255, 64] },
                { tag: "level 4, quarter", p: 68, length: 129, rgb: [0, 191, 255] },
                { tag: "level 5, quarter", p: 84, length: 129, rgb: [64, 0, 255] },
                { tag: "level 6, quarter", p: 100, length: 129, rgb: [255, 64, 255] },
                { tag: "level 7, half", p: 120, length: 129, rgb: [127, 127, 127] },
                { tag: "other length, middle", p: 70, length: 141, rgb: [0, 255, 255] },
                { tag: "other length, first pixel", p: 1, length: 141, rgb: [15, 0, 0] }
            ]
        }

        function test_stripColour(data) {
            compare(TextColour.stripColour(data.p, data.length), data.rgb)
        }

        // An empty configuration changes nothing but still decides whether skins are offered;
        // without the skin control the others move up.
        function test_emptyConfiguration_data() {
            return [
                { tag: "skins offered", skinShow: true, skinY: 22, soundY: 55, backgroundY: 154 },
                { tag: "one skin", skinShow: false, skinY: 11, soundY: 44, backgroundY: 143 }
            ]
        }

        function test_emptyConfiguration(data) {
            const skinApplied = spy("skinApplied")
            ui_View.setAnswer("getIsSkinShow", data.skinShow)
            configure([])

            compare(page._Size, 11)
            compare(page._Color, Qt.color("#FF00FFFF"))
            compare(page._ColorEnable, Qt.color("#FFAAAAAA"))
            compare(page._ColorDisable, Qt.color("#80FFFFFF"))
            compare(page._AnimationSpeed, 800)
            compare(page._StringList.length, 115)
            compare(page._StringList[0], "Arial")
            compare(page._StringList[114], "ALL SAVE")
            compare(page._FontFamily, "Arial")
            compare(page.skin_No, 1)
            compare(page.isCustomBackground, false)
            compare(page._Url, "https://valdrin.example/qn9")
            compare(String(Scene.sourceCustomBackground), "")
            compare([page._R, page._G, page._B], [255, 255, 255])
            compare(page.swatchIndex, 0)
            compare(page.swatch(0), [0, 255, 255])
            compare(page.swatch(6), [160, 190, 160])
            compare(child("brightnessSlider").currentIndex, 7)
            compare(child("normalBox").isSelect, true)
            compare(child("largerBox").isSelect, false)
            for (const name of ["skinList", "soundList", "animationList"])
                compare(child(name).getCurIndex(), 0, name)
            compare(child("languageList").getCurIndex(), -1)
            compare(skinApplied.count, 0)
            compare(ui_View.countOf("setEnableAudio"), 0)
            compare(ui_View.countOf("getGlobalStrings"), 0)
            compare(ui_View.countOf("getIsSkinShow"), 1)

            compare(child("skinList").visible, data.skinShow)
            compare(child("skinList").y, data.skinY)
            compare(child("soundList").y, data.soundY)
            compare(child("backgroundToggle").y, data.backgroundY)
            compare(child("soundList").x, 139)
        }

        function test_fullConfiguration() {
            const skinApplied = spy("skinApplied")
            const languageLoaded = spy("languageLoaded")
            configure(storedConfiguration)

            compare(page.skin_No, 2)
            compare(skinApplied.count, 1)
            compare(child("skinList").getCurIndex(), 1)
            compare(ui_View.argsOf("setEnableAudio"), [false])
            compare(child("soundList").getCurIndex(), 1)
            compare(page._AnimationSpeed, 10)
            compare(child("animationList").getCurIndex(), 1)
            // Languages are listed by name: CHINESE (Simp), ENGLISH, GERMAN.
            compare(ui_View.argsOf("getGlobalStrings"), ["094000"])
            compare(languageLoaded.count, 1)
            compare(languageLoaded.signalArguments[0][0], "094000")
            compare(child("languageList").getCurIndex(), 2)
            compare(page._StringList, germanStrings)
            compare(page._FontFamily, "DejaVu Sans")
            compare(page.isCustomBackground, true)
            compare(String(Scene.sourceCustomBackground), "file:///tmp/own.png")
            compare(page._Size, 12)
            compare(child("largerBox").isSelect, true)
            compare(child("normalBox").isSelect, false)
            compare([0, 1, 2, 3, 4, 5, 6].map(k => page.swatch(k)),
                    [[10, 20, 30], [40, 50, 60], [70, 80, 90], [100, 110, 120],
                     [130, 140, 150], [160, 170, 180], [190, 200, 210]])
            compare(page.swatchIndex, 3)
            compare([page._R, page._G, page._B], [100, 110, 120])
            compare(rgb(page._Color), [100, 110, 120])
            fuzzyCompare(page._Color.a, 105 / 255, 1e-6)
            compare(child("brightnessSlider").currentIndex, 2)
            compare(page._Url, "https://other.example/")
        }

        // Entries a configuration lacks or cannot honour leave their settings as they are.
        function test_partialConfiguration_data() {
            const languageGone = storedConfiguration.slice()
            languageGone[4] = "7"
            const noPicture = storedConfiguration.slice()
            noPicture[6] = ""
            return [
                { tag: "up to the sound", list: ["1", "2", "1"], skin: 2, speed: 800, size: 11,
                  languageLoads: 0, background: false, swatch: 0 },
                { tag: "language gone", list: languageGone, skin: 2, speed: 10, size: 12,
                  languageLoads: 0, background: true, swatch: 3 },
                { tag: "background on without a picture", list: noPicture, skin: 2, speed: 10, size: 12,
                  languageLoads: 1, background: false, swatch: 3 }
            ]
        }

        function test_partialConfiguration(data) {
            configure(data.list)
            compare(page.skin_No, data.skin)
            compare(ui_View.argsOf("setEnableAudio"), [false])
            compare(page._AnimationSpeed, data.speed)
            compare(page._Size, data.size)
            compare(ui_View.countOf("getGlobalStrings"), data.languageLoads)
            compare(page._StringList[1], data.languageLoads ? "OPTIONEN" : "OPTIONS")
            compare(page.languageChoice, data.languageLoads ? 2 : -1)
            compare(child("languageList").getCurIndex(), page.languageChoice)
            compare(page.isCustomBackground, data.background)
            compare(page.swatchIndex, data.swatch)
        }

        // APPLY stores the page as it stands, choices as positions; the panel closes.
        function test_apply_data() {
            return [
                { tag: "as configured", change: false,
                  list: [1, 2, 1, 1, 2, true, "file:///tmp/own.png", 1,
                         10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120,
                         130, 140, 150, 160, 170, 180, 190, 200, 210,
                         3, 2, "https://other.example/"] },
                { tag: "after every control", change: true,
                  list: [1, 1, 0, 0, 0, false, "", 0,
                         10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120,
                         130, 140, 150, 0, 255, 255, 190, 200, 210,
                         5, 7, "https://other.example/"] }
            ]
        }

        function test_apply(data) {
            const closeRequested = spy("closeRequested")
            configure(storedConfiguration)
            if (data.change) {
                child("skinList").listElementClicked(0)
                child("soundList").listElementClicked(0)
                child("animationList").listElementClicked(0)
                child("languageList").listElementClicked(0)
                mouseClick(child("backgroundToggle"))
                mouseClick(child("normalBox"))
                mouseClick(findChild(child("swatchRow"), "swatch5"))
                mouseClick(child("colourStrip"), 64, 8)
                mouseClick(child("brightnessSlider"), 139, 7)
            }
            mouseClick(child("applyButton"))

            compare(ui_View.countOf("saveApConfig"), 1)
            const saved = ui_View.argsOf("saveApConfig")[0]
            compare(saved.length, 32)
            compare(saved, data.list)
            compare(closeRequested.count, 1)
        }

        function test_brightness_data() {
            return [
                { tag: "step 0", x: 0, step: 0, value: 45 },
                { tag: "step 3", x: 60, step: 3, value: 135 },
                { tag: "step 7", x: 139, step: 7, value: 255 }
            ]
        }

        function test_brightness(data) {
            configure(storedConfiguration)
            mouseClick(child("brightnessSlider"), data.x, 7)
            compare(page.brightnessStep, data.step)
            fuzzyCompare(page._Color.a, data.value / 255, 1e-6)
            compare(rgb(page._Color), [100, 110, 120])
        }

        function test_sound_data() {
            return [
                { tag: "on", index: 0, enable: true, played: 1, cleared: 0 },
                { tag: "off", index: 1, enable: false, played: 0, cleared: 1 }
            ]
        }

        function test_sound(data) {
            child("soundList").listElementClicked(data.index)
            compare(ui_View.argsOf("setEnableAudio"), [data.enable])
            compare(ui_View.countOf("playMedia_Index"), data.played)
            if (data.played)
                compare(ui_View.argsOf("playMedia_Index"), [0])
            compare(ui_View.countOf("clearAllMedia"), data.cleared)
        }

        // A picture that cannot be opened leaves the background off; a chosen one turns it
        // on (source: the url "file:" + path), and a second click turns it off again.
        function test_background_data() {
            return [
                { tag: "refused", path: "", on: false, source: "" },
                { tag: "chosen", path: "/tmp/own.png", on: true, source: "file:///tmp/own.png" }
            ]
        }

        function test_background(data) {
            ui_View.setAnswer("getCustomFilePath", data.path)
            const toggle = child("backgroundToggle")
            mouseClick(toggle)
            compare(ui_View.countOf("getCustomFilePath"), 1)
            compare(page.isCustomBackground, data.on)
            compare(String(Scene.sourceCustomBackground), data.source)
            verify(findChild(toggle, "backgroundText").text.indexOf(data.on ? "ON" : "OFF") > 0)

            mouseClick(toggle)
            compare(page.isCustomBackground, false)
            compare(String(Scene.sourceCustomBackground), "")
            compare(ui_View.countOf("getCustomFilePath"), data.on ? 1 : 2)
        }

        function test_colourInput() {
            configure(storedConfiguration)
            const field = findChild(child("inputG"), "field")
            mouseClick(field)
            keySequence(StandardKey.SelectAll)
            keyClick(Qt.Key_7)
            keyClick(Qt.Key_7)
            keyClick(Qt.Key_Return)
            compare(page._G, 77)
            compare(page.swatch(3), [100, 77, 120])
            compare(rgb(page._Color), [100, 77, 120])
            compare(field.text, "77")
        }

        // RESET: sound off, the factory file, the configuration shown, then the start sound.
        function test_reset() {
            mouseClick(child("resetButton"))
            const calls = ui_View.calls
            compare(calls.slice(calls.indexOf("setEnableAudio")),
                    ["setEnableAudio", "clearAllMedia", "resetApconfig", "loadApConfig",
                     "chkLanguages", "getIsSkinShow", "playMedia_Index"])
            compare(ui_View.argsOf("setEnableAudio"), [false])
            compare(ui_View.argsOf("playMedia_Index"), [0])
        }

        function test_translateStrings() {
            const strings = page._StringList.slice(0, 35)
            strings[31] = "AN"
            strings[32] = "AUS"
            page._StringList = strings
            page.translateStrings()
            const texts = model => [model.get(0).textX, model.get(1).textX]
            compare(texts(child("soundList").mdItems), ["AN", "AUS"])
            compare(texts(child("animationList").mdItems), ["AN", "AUS"])
            // Strings the language lacks stay the built-in ones.
            compare(texts(child("skinList").mdItems), ["SKIN 1", "SKIN 2"])
        }
    }
}
