pragma Singleton
import QtQuick

// What every part of the scene shares: the two native objects, the text style and
// strings chosen in the global settings, the skin's pictures, and the keys the hooks
// report. The frame fills it; pages and widgets read it by these names.
QtObject {
    // The native objects; the frame hands them over when it is created.
    property var view: null // ui_View
    property var ctl: null // ui_Ctl
    // The key-name and key-code tables (KeyCodeString), filled by the model's initUI.
    property var keyCodeString: null

    // The text style and strings, bound by the frame to the global settings page.
    property int globalSetting_size: 11
    property color globalSetting_color: "#FF00FFFF"
    property color globalSetting_color_enable: "#FFAAAAAA"
    property color globalSetting_color_disable: "#80FFFFFF"
    property int animation_speed: 800
    property var globalSetting_stringList: []
    property string globalSetting_fontFamily: "Arial"
    property string globalSetting_url: ""
    property int skin_No: 1
    property bool isCustomBackground: false
    property url sourceCustomBackground: ""

    // String `index` of the current language, or `fallback` when the list has none.
    function text(index, fallback) {
        const s = globalSetting_stringList[index]
        return s === undefined ? fallback : s
    }

    // A key the keyboard hook reported (the root's msg_KB), for widgets that capture keys.
    signal msg_KB(bool isDown, int usbCode)
    // A page or widget asks the frame to hold the view busy for `interval` ms.
    signal protectRequested(int interval)

    // The skin's pictures, relative to the working directory.
    readonly property string skinFolder: "file:modules/img/skin" + skin_No + "/"
    // The first skin's folder: the backlighting entry of the function menu keeps its icon.
    readonly property string firstSkinFolder: "file:modules/img/skin1/"
    readonly property url sourceBackground: skinFolder + "background.png"
    readonly property url sourceSlider: skinFolder + "common/slider_BASE.png"
    readonly property url sourceSlider_LgSp: skinFolder + "common/slider_LgSp.png"
    readonly property url sourceFrameBackground: skinFolder + "frame/frameBackground.png"
    readonly property url sourceDecoration1: skinFolder + "frame/decoration1.png"
    readonly property url sourceDecoration2: skinFolder + "frame/decoration2.png"
    readonly property url sourceLine: skinFolder + "common/draw_line.png"
    readonly property url sourceFilelist: skinFolder + "common/filelist_BASE.png"
    readonly property url sourceAS0: skinFolder + "list_up/applicationSetting_0.png"
    readonly property url sourceAS1: skinFolder + "list_up/applicationSetting_1.png"
    readonly property url sourceAM0: skinFolder + "list_up/applicationMinimize_0.png"
    readonly property url sourceAM1: skinFolder + "list_up/applicationMinimize_1.png"
    readonly property url sourceCO0: skinFolder + "list_up/applicationClose_0.png"
    readonly property url sourceCO1: skinFolder + "list_up/applicationClose_1.png"
    readonly property url sourceListDnContainer: skinFolder + "list_dn/listDnContainer.png"
    readonly property url sourceListPfContainer: skinFolder + "list_pf/listPfContainer.png"
    readonly property url sourceListUpContainer: skinFolder + "list_up/listUpContainer.png"
    readonly property url sourceListFnBtn_0: skinFolder + "list_fn/listFnBtn_0.png"
    readonly property url sourceListFnBtn_1: skinFolder + "list_fn/listFnBtn_1.png"
    readonly property url sourceFW0: skinFolder + "list_pf/profileFW_0.png"
    readonly property url sourceFW1: skinFolder + "list_pf/profileFW_1.png"
    readonly property url sourceInputValue: skinFolder + "common/draw_inputValue.png"
    readonly property url sourcePaletteIndex: skinFolder + "common/draw_paletteIndex.png"
    readonly property url sourceCHK0: skinFolder + "common/checkbox_0.png"
    readonly property url sourceCHK1: skinFolder + "common/checkbox_1.png"
    readonly property url sourcePalette: skinFolder + "common/draw_palette.png"
    readonly property url sourceReset0: skinFolder + "common/reset_0.png"
    readonly property url sourceReset1: skinFolder + "common/reset_1.png"
    readonly property url sourceApply0: skinFolder + "common/apply_0.png"
    readonly property url sourceApply1: skinFolder + "common/apply_1.png"
    readonly property url sourceFram2btn: skinFolder + "common/fram_2btn.png"
    readonly property url sourceGlobalsettingBackground: skinFolder + "list_center/globalsettingBackground.png"
    readonly property url sourceFnColorBackground: skinFolder + "list_center/fnColorBackground.png"
    readonly property url sourceFnKeydefineBackground: skinFolder + "list_center/fnKeydefineBackground.png"
    readonly property url sourceFnMacroBackground: skinFolder + "list_center/fnMacroBackground.png"
    readonly property url sourceFnCommonBackground: skinFolder + "list_center/fnCommonBackground.png"
    readonly property url sourceAdd0: skinFolder + "common/add_0.png"
    readonly property url sourceAdd1: skinFolder + "common/add_1.png"
    readonly property url sourceDelete0: skinFolder + "common/delete_0.png"
    readonly property url sourceDelete1: skinFolder + "common/delete_1.png"
    readonly property url sourceRecord0: skinFolder + "common/record_0.png"
    readonly property url sourceRecord1: skinFolder + "common/record_1.png"
    readonly property url sourceStop0: skinFolder + "common/stop_0.png"
    readonly property url sourceStop1: skinFolder + "common/stop_1.png"
    readonly property url sourceSolidDelete0: skinFolder + "common/solid-delete_0.png"
    readonly property url sourceSolidDelete1: skinFolder + "common/solid-delete_1.png"
    readonly property url sourceSolidCut0: skinFolder + "common/solid-cut_0.png"
    readonly property url sourceSolidCut1: skinFolder + "common/solid-cut_1.png"
    readonly property url sourceSolidPaste0: skinFolder + "common/solid-paste_0.png"
    readonly property url sourceSolidPaste1: skinFolder + "common/solid-paste_1.png"
    readonly property url sourceSolidCopy0: skinFolder + "common/solid-copy_0.png"
    readonly property url sourceSolidCopy1: skinFolder + "common/solid-copy_1.png"
    readonly property url sourceSliderFiller0: skinFolder + "common/slider_FILLER_0.png"
    readonly property url sourceSliderFiller1: skinFolder + "common/slider_FILLER_1.png"
    readonly property url sourceBtnGroup_4_BASE: skinFolder + "common/btnGroup_4_BASE.png"
    readonly property url sourceBtnGroup_8_BASE: skinFolder + "common/btnGroup_8_BASE.png"
    readonly property url sourceBtnGroup_FILLER_0: skinFolder + "common/btnGroup_FILLER_0.png"
    readonly property url sourceBtnGroup_FILLER_1: skinFolder + "common/btnGroup_FILLER_1.png"
    readonly property url sourceBtnGroup2_FILLER_0: skinFolder + "common/btnGroup2_FILLER_0.png"
    readonly property url sourceBtnGroup2_FILLER_1: skinFolder + "common/btnGroup2_FILLER_1.png"
    readonly property url sourceSlider_11_BASE: skinFolder + "common/slider_11_BASE.png"
    readonly property url sourceSlider_11_FILLER_0: skinFolder + "common/slider_11_FILLER_0.png"
    readonly property url sourceSlider_11_FILLER_1: skinFolder + "common/slider_11_FILLER_1.png"
    readonly property url sourceBtnFileListFrame: skinFolder + "common/btnFileListFrame.png"
    readonly property url sourceBtnFrame: skinFolder + "common/btnFrame.png"
    readonly property url sourceModel_T6_Color: skinFolder + "model_ms/model_T6_Color.png"
    readonly property url sourceModel_T6_KeyDefine: skinFolder + "model_ms/model_T6_KeyDefine.png"
    readonly property url sourceWeb0: skinFolder + "frame/web_0.png"
    readonly property url sourceWeb1: skinFolder + "frame/web_1.png"
}
