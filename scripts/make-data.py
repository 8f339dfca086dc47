#!/usr/bin/env python3
"""Writes the run-time data files shipped beside the program:

  modules/setting/HWDef.bin        drawn keyboard: position, shape, label, matrix
                                   position and default key code of every key
  modules/setting/KeyCodeDef.bin   names of the key codes a user may assign
  modules/setting/apConfigD.bin    factory application configuration
  modules/setting/apConfig.bin     the same, as shipped
  modules/setting/pD.bin           factory profile
  modules/setting/p1.bin ... p5.bin  one profile per slot, as shipped
  modules/i18n/lang_<code>.ini     English, simplified Chinese and German texts
  modules/macro/.keep              keeps the (empty) macro folder in the tree

All of them are INI files read through QSettings in its INI format (the ".bin"
extension is historical). The tables below are the source of these files: edit
them here and run this script again; do not edit the generated files by hand.

  scripts/make-data.py             write the files into the work tree
  scripts/make-data.py --root DIR  write them under DIR instead (DIR/modules/...)
  scripts/make-data.py --sketch    print the drawn keyboard with its matrix
                                   numbering and the two vortex paths; writes nothing
"""

import argparse
import math
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# ---------------------------------------------------------------------------
# Drawn keyboard
# ---------------------------------------------------------------------------

# One key unit in pixels, including the small gap that each key picture keeps
# around its cap. 22 units plus two block gaps make 706 px; five rows plus the
# function row and its gap make 198 px. The scene shows the drawing at (23, 97).
UNIT = 31
ROW_GAP = 12    # between the function row and the number row
BLOCK_GAP = 12  # between main block, navigation block and number pad
MAX_WIDTH, MAX_HEIGHT = 710, 200

# Key shapes: keyType -> (width, height) in units. Each shape has one number;
# the skin draws the pictures k<type>-0.png (normal) and k<type>-1.png
# (selection frame) at the pixel size printed by --sketch.
KEY_TYPES = {
    1: (1.0, 1),   # letters, digits, F keys, navigation, number pad
    2: (1.25, 1),  # bottom row modifiers: Ctrl, Win, Alt, Fn, Menu
    3: (1.5, 1),   # Tab, backslash
    4: (1.75, 1),  # Caps Lock
    5: (2.0, 1),   # Backspace, keypad 0
    6: (2.25, 1),  # Enter, left Shift
    7: (2.75, 1),  # right Shift
    8: (6.25, 1),  # Space
    9: (1.0, 2),   # keypad + and keypad Enter (two rows high)
}

# Matrix numbering. Position 89 is Fn (the scene disables the key there).
# The spotlight effect of the lighting preview lights two fixed runs of matrix
# positions, one step per tick, before a ring spreads from the middle of the
# positions 41, 42, 57, 58:
#   first path   0 1 2 3 4 5 6 7 8 9 27 43 59 74 73 57 41
#   second path  115 109 100 79 95 94 91 90 89 88 72 56 40 25 26 42 58
# The numbering is chosen so that both runs spiral clockwise into the middle
# of the main block, where Y 41, U 42, H 57 and J 58 meet:
#   first:  Esc F1 ... F9 along the top, down the 8 I K M column, left to N,
#           up through H to Y;
#   second: down the number pad's left column (4 1 0), left along the whole
#           bottom row (Right Down Left RCtrl Menu Fn RAlt), up through
#           B G T 6, right to 7, down through U to J.
# Two steps cannot be neighbours on this layout and jump: F9 -> 8 (ten keys
# must lie in the top row before the path turns) and RAlt -> B (Fn sits right
# of the space bar). --sketch shows both paths.
# For that, each main-block row is numbered left to right from three past a
# multiple of 16 (` 19, Tab 35, Caps 51, LShift 67); the bottom row from 84,
# so that RAlt and Fn get 88 and 89. The function row has 0-15. The navigation
# and number pad keys that no path fixes take the lowest free numbers from 96
# in reading order (row by row, left to right).
#
# Each row below: keys as (label, HID usage, matrix position[, width[, height]])
# in units, left to right; a bare number is an empty gap of that many units.
# The HID usage is the key's default code (keyboard usage page); Fn has none.
FN_MATRIX = 89

MAIN_BLOCK = [
    [("Esc", 0x29, 0), 1,
     ("F1", 0x3A, 1), ("F2", 0x3B, 2), ("F3", 0x3C, 3), ("F4", 0x3D, 4), 0.5,
     ("F5", 0x3E, 5), ("F6", 0x3F, 6), ("F7", 0x40, 7), ("F8", 0x41, 8), 0.5,
     ("F9", 0x42, 9), ("F10", 0x43, 10), ("F11", 0x44, 11), ("F12", 0x45, 12)],
    [("`", 0x35, 19), ("1", 0x1E, 20), ("2", 0x1F, 21), ("3", 0x20, 22),
     ("4", 0x21, 23), ("5", 0x22, 24), ("6", 0x23, 25), ("7", 0x24, 26),
     ("8", 0x25, 27), ("9", 0x26, 28), ("0", 0x27, 29), ("-", 0x2D, 30),
     ("=", 0x2E, 31), ("Bksp", 0x2A, 32, 2)],
    [("Tab", 0x2B, 35, 1.5), ("Q", 0x14, 36), ("W", 0x1A, 37), ("E", 0x08, 38),
     ("R", 0x15, 39), ("T", 0x17, 40), ("Y", 0x1C, 41), ("U", 0x18, 42),
     ("I", 0x0C, 43), ("O", 0x12, 44), ("P", 0x13, 45), ("[", 0x2F, 46),
     ("]", 0x30, 47), ("\\", 0x31, 48, 1.5)],
    [("Caps", 0x39, 51, 1.75), ("A", 0x04, 52), ("S", 0x16, 53), ("D", 0x07, 54),
     ("F", 0x09, 55), ("G", 0x0A, 56), ("H", 0x0B, 57), ("J", 0x0D, 58),
     ("K", 0x0E, 59), ("L", 0x0F, 60), (";", 0x33, 61), ("'", 0x34, 62),
     ("Enter", 0x28, 63, 2.25)],
    [("Shift", 0xE1, 67, 2.25), ("Z", 0x1D, 68), ("X", 0x1B, 69), ("C", 0x06, 70),
     ("V", 0x19, 71), ("B", 0x05, 72), ("N", 0x11, 73), ("M", 0x10, 74),
     (",", 0x36, 75), (".", 0x37, 76), ("/", 0x38, 77), ("Shift", 0xE5, 78, 2.75)],
    [("Ctrl", 0xE0, 84, 1.25), ("Win", 0xE3, 85, 1.25), ("Alt", 0xE2, 86, 1.25),
     ("Space", 0x2C, 87, 6.25), ("Alt", 0xE6, 88, 1.25), ("Fn", 0, FN_MATRIX, 1.25),
     ("Menu", 0x65, 90, 1.25), ("Ctrl", 0xE4, 91, 1.25)],
]

NAV_BLOCK = [
    [("PrtSc", 0x46, 13), ("ScrLk", 0x47, 14), ("Pause", 0x48, 15)],
    [("Ins", 0x49, 96), ("Home", 0x4A, 97), ("PgUp", 0x4B, 98)],
    [("Del", 0x4C, 104), ("End", 0x4D, 105), ("PgDn", 0x4E, 106)],
    [],
    [1, ("↑", 0x52, 114)],
    [("←", 0x50, 94), ("↓", 0x51, 95), ("→", 0x4F, 79)],
]

NUM_PAD = [
    [],
    [("Num", 0x53, 99), ("/", 0x54, 101), ("*", 0x55, 102), ("-", 0x56, 103)],
    [("7", 0x5F, 107), ("8", 0x60, 108), ("9", 0x61, 110), ("+", 0x57, 111, 1, 2)],
    [("4", 0x5C, 115), ("5", 0x5D, 112), ("6", 0x5E, 113)],
    [("1", 0x59, 109), ("2", 0x5A, 116), ("3", 0x5B, 117), ("Enter", 0x58, 118, 1, 2)],
    [("0", 0x62, 100, 2), (".", 0x63, 119)],
]

FIRST_PATH = [0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 27, 43, 59, 74, 73, 57, 41]
SECOND_PATH = [115, 109, 100, 79, 95, 94, 91, 90, 89, 88, 72, 56, 40, 25, 26, 42, 58]

MATRIX_SIZE = 128  # total_FW: matrix positions 0-127

# ---------------------------------------------------------------------------
# Key-code names: every keyboard usage a user may assign, then the mouse
# buttons (the scene's codes 0xF0-0xF4). Names are unique and contain no
# character that would need quoting in an INI list.
# ---------------------------------------------------------------------------

KEY_NAMES = (
    [(0x04 + i, chr(ord("A") + i)) for i in range(26)]
    + [(0x1E + i, str((i + 1) % 10)) for i in range(10)]
    + [
        (0x28, "Enter"), (0x29, "Esc"), (0x2A, "Backspace"), (0x2B, "Tab"),
        (0x2C, "Space"), (0x2D, "Minus"), (0x2E, "Equal"), (0x2F, "LBracket"),
        (0x30, "RBracket"), (0x31, "Backslash"), (0x32, "NonUS Hash"),
        (0x33, "Semicolon"), (0x34, "Quote"), (0x35, "Grave"), (0x36, "Comma"),
        (0x37, "Period"), (0x38, "Slash"), (0x39, "CapsLock"),
    ]
    + [(0x3A + i, "F%d" % (i + 1)) for i in range(12)]
    + [
        (0x46, "PrtSc"), (0x47, "ScrLk"), (0x48, "Pause"), (0x49, "Insert"),
        (0x4A, "Home"), (0x4B, "PgUp"), (0x4C, "Delete"), (0x4D, "End"),
        (0x4E, "PgDn"), (0x4F, "Right"), (0x50, "Left"), (0x51, "Down"),
        (0x52, "Up"), (0x53, "NumLock"), (0x54, "Num /"), (0x55, "Num *"),
        (0x56, "Num -"), (0x57, "Num +"), (0x58, "Num Enter"),
    ]
    + [(0x59 + i, "Num %d" % ((i + 1) % 10)) for i in range(10)]
    + [(0x63, "Num ."), (0x64, "NonUS Backslash"), (0x65, "Menu")]
    + [(0x68 + i, "F%d" % (i + 13)) for i in range(12)]
    + [
        (0xE0, "LCtrl"), (0xE1, "LShift"), (0xE2, "LAlt"), (0xE3, "LWin"),
        (0xE4, "RCtrl"), (0xE5, "RShift"), (0xE6, "RAlt"), (0xE7, "RWin"),
    ]
    + [(240, "MS-L"), (241, "MS-R"), (242, "MS-M"), (243, "MS-B4"), (244, "MS-B5")]
)

# ---------------------------------------------------------------------------
# Application configuration (list of 32 entries, read by the global settings
# page) and the factory profile.
# ---------------------------------------------------------------------------

PRODUCT_NAME = "Valdrin QN9"
WEB_ADDRESS = "https://valdrin.example/qn9"
TEXT_COLOURS = [(0, 255, 255), (255, 200, 150), (255, 180, 0), (200, 200, 100),
                (200, 170, 255), (255, 180, 180), (160, 190, 160)]

# Lighting record: type, brightness, speed, direction, colour, bl0, bl1.
#   type 0x02          wave
#   brightness 60      the colour page's highest step (0, 15, 30, 45, 60)
#   speed 2            1 fastest ... 4 slowest: the faster middle step
#   direction 0        to the right
#   colour 7           cycle through all seven colours of the set
#   bl0 0xE0           backlight effect 0, backlight brightness 7 (bits 5-7)
#   bl1 0x3C           backlight speed position 4 (stored as 8 - 4), backlight
#                      colour 7 (bits 3-5), direction wheel 1 (bits 6-7 = 0)
# bl0 and bl1 are the backlight page's own starting values, so the page shows
# the same thing before and after a reset.
BACKLIGHT_EFFECT, BACKLIGHT_BRIGHTNESS, BACKLIGHT_SPEED = 0, 7, 4
BACKLIGHT_COLOUR, BACKLIGHT_WHEEL = 7, 1
BL0 = (BACKLIGHT_EFFECT & 0x1F) | ((BACKLIGHT_BRIGHTNESS << 5) & 0xE0)
BL1 = (((8 - BACKLIGHT_SPEED) & 7) | ((BACKLIGHT_COLOUR << 3) & 0x38)
       | (((BACKLIGHT_WHEEL - 1) << 6) & 0xC0))
LED_TYPE = [0x02, 60, 2, 0, 7, BL0, BL1]

# The seven-colour set in the scene's scale (0-255 per component).
LED_COLOURS = [(255, 0, 0), (255, 128, 0), (255, 255, 0), (0, 255, 0),
               (0, 255, 255), (0, 0, 255), (128, 0, 255)]

MAX_MACRO = 17
MAX_PROFILE = 5
LAYOUT = 0

# ---------------------------------------------------------------------------
# Languages. File code: QLocale::Language number (3 digits) + territory number
# (3 digits, 000 = any); "044" marks simplified Chinese.
# ---------------------------------------------------------------------------

ENGLISH = """OPTIONS|LOOP|SPEED|BRIGHTNESS|DIRECTION|PAINTING|EFFECTS|USER DEFINE 1|
USER DEFINE 2|USER DEFINE 3|USER DEFINE 4|USER DEFINE 5|STATIC|BREATHING|WAVE|
INDUCTION DARKEN|MARQUEE|RIPPLE|INDUCTION BRIGHTEN|NEON|MARQUEE COLORFUL|RAINING|
MARQUEE CIRCLE|SPOTLIGHT|ROTATION|SKIN|SOUND|ANIMATED|LANGUAGE|BACKGROUND|ON|OFF|
TEXT|SIZE|COLOR|BRIGHTNESS|NORMAL|LARGER|SKIN 1|SKIN 2|SKIN 3|SKIN 4|SKIN 5|
MACRO|ACTION|KEYBOARD|MOUSE|MEDIA|COMBO KEY|MACRO|LEFT|RIGHT|MIDDLE|B4|B5|
NEXT TRACK|PREVIOUS TRACK|STOP|PLAY / PAUSE|MUTE|VOLUME UP|VOLUME DOWN|
MEDIA SELECT|MAIL|CALCULATOR|MY COMPUTER|WWW SEARCH|WWW HOME|WWW BACK|
WWW FORWARD|WWW STOP|WWW REFRESH|WWW FAVORITES|KEY|MACRO|COLOR|RESET|CANCEL|
GAMING MODE|DELETE|CUT|PASTE|COPY|LOAD|SAVE|SENSOR|LED POWER ON|TWINKLING|
GLIDING|FINGER MOVING|VERTICAL FLIPPING|YO-YO|FIRE KEY|TRIPLE CLICK|DPI SWITCH|
NORMAL PLAY|TIMES|ALWAYS REPEAT|REPEAT ON PRESSED|POLLING RATE|CURSOR SPEED|
VERTICAL SCROLL SPEED|DOUBLE CLICK SPEED|DPI LEVEL|DPI INDICATOR LED|DEFAULT|
APPLY|SCROLL SWAP|SCROLL UP|SCROLL DOWN|LED CONTROL|RENAME|ALL RESET|ALL SAVE"""

CHINESE = """选项|循环|速度|亮度|方向|绘图|灯效|自定义 1|自定义 2|自定义 3|自定义 4|
自定义 5|常亮|呼吸|波浪|感应渐暗|跑马灯|涟漪|感应渐亮|霓虹|彩色跑马灯|雨滴|环形跑马灯|
聚光灯|旋转|皮肤|声音|动画|语言|背景|开|关|文字|大小|颜色|亮度|正常|较大|皮肤 1|
皮肤 2|皮肤 3|皮肤 4|皮肤 5|宏|动作|键盘|鼠标|多媒体|组合键|宏|左键|右键|中键|B4|B5|
下一曲|上一曲|停止|播放 / 暂停|静音|音量加|音量减|媒体选择|邮件|计算器|我的电脑|
网页搜索|网页主页|网页后退|网页前进|网页停止|网页刷新|网页收藏夹|按键|宏|灯光|重置|
取消|游戏模式|删除|剪切|粘贴|复制|载入|保存|传感器|开机灯效|闪烁|滑行|指尖移动|
垂直翻转|悠悠球|连发键|三连击|DPI 切换|正常播放|次数|持续重复|按下时重复|回报率|
指针速度|垂直滚动速度|双击速度|DPI 档位|DPI 指示灯|默认|应用|滚轮反向|向上滚动|
向下滚动|灯光控制|重命名|全部重置|全部保存"""

GERMAN = """OPTIONEN|SCHLEIFE|TEMPO|HELLIGKEIT|RICHTUNG|MALEN|EFFEKTE|BENUTZER 1|
BENUTZER 2|BENUTZER 3|BENUTZER 4|BENUTZER 5|STATISCH|ATMEN|WELLE|
REAKTIV ABDUNKELN|LAUFLICHT|KRÄUSELN|REAKTIV AUFHELLEN|NEON|LAUFLICHT BUNT|REGEN|
LAUFLICHT KREIS|SCHEINWERFER|ROTATION|DESIGN|TON|ANIMATION|SPRACHE|HINTERGRUND|
AN|AUS|TEXT|GRÖSSE|FARBE|HELLIGKEIT|NORMAL|GRÖSSER|DESIGN 1|DESIGN 2|DESIGN 3|
DESIGN 4|DESIGN 5|MAKRO|AKTION|TASTATUR|MAUS|MEDIEN|KOMBITASTE|MAKRO|LINKS|
RECHTS|MITTE|B4|B5|NÄCHSTER TITEL|VORHERIGER TITEL|STOPP|WIEDERGABE / PAUSE|
STUMM|LAUTER|LEISER|MEDIENAUSWAHL|E-MAIL|RECHNER|ARBEITSPLATZ|WEB-SUCHE|
WEB-STARTSEITE|WEB ZURÜCK|WEB VORWÄRTS|WEB STOPP|WEB AKTUALISIEREN|WEB-FAVORITEN|
TASTE|MAKRO|FARBE|ZURÜCKSETZEN|ABBRECHEN|SPIELMODUS|LÖSCHEN|AUSSCHNEIDEN|
EINFÜGEN|KOPIEREN|LADEN|SPEICHERN|SENSOR|EINSCHALT-LED|FUNKELN|GLEITEN|
FINGERBEWEGUNG|VERTIKAL KIPPEN|JO-JO|FEUERTASTE|DREIFACHKLICK|DPI-WECHSEL|
NORMALE WIEDERGABE|MAL|IMMER WIEDERHOLEN|WIEDERHOLEN BEIM DRÜCKEN|ABFRAGERATE|
ZEIGERTEMPO|VERTIKALES SCROLLTEMPO|DOPPELKLICKTEMPO|DPI-STUFE|DPI-ANZEIGE-LED|
STANDARD|ÜBERNEHMEN|SCROLLEN UMKEHREN|HOCHSCROLLEN|RUNTERSCROLLEN|LED-STEUERUNG|
UMBENENNEN|ALLES ZURÜCKSETZEN|ALLES SPEICHERN"""

STRING_COUNT = 114

# msg/0, msg/1: over-long macro warning (title, text);
# msg/2, msg/3: unreadable picture warning (title, text that the path follows).
LANGUAGES = [
    {
        "code": "075000", "family": "Arial", "strings": ENGLISH,
        "msg": ["Macro too long",
                "This macro is longer than the keyboard can store (128 bytes). "
                "Remove some steps and save again.",
                "Cannot open picture",
                "This picture cannot be read: "],
    },
    {
        "code": "058044", "family": "WenQuanYi Micro Hei", "strings": CHINESE,
        "msg": ["宏过长",
                "此宏超出键盘可存储的长度（128 字节）。请删除部分步骤后重新保存。",
                "无法打开图片",
                "无法读取此图片："],
    },
    {
        "code": "094000", "family": "Arial", "strings": GERMAN,
        "msg": ["Makro zu lang",
                "Dieses Makro ist länger, als die Tastatur speichern kann (128 Byte). "
                "Entfernen Sie einige Schritte und speichern Sie es erneut.",
                "Bild kann nicht geöffnet werden",
                "Dieses Bild kann nicht gelesen werden: "],
    },
]

# Display names as the language list shows them (upper-case language name,
# " (Simp)" for the simplified-Chinese marker); the configuration stores the
# position of English in their alphabetical order.
LANGUAGE_DISPLAY_NAMES = {"075000": "ENGLISH", "058044": "CHINESE (Simp)",
                          "094000": "GERMAN"}
DEFAULT_LANGUAGE = "075000"


# ---------------------------------------------------------------------------
# Building the keys
# ---------------------------------------------------------------------------

class Key:
    def __init__(self, label, usage, matrix, width, height, x, y, row, sketch_x):
        self.label, self.usage, self.matrix = label, usage, matrix
        self.sketch_x = sketch_x  # left edge in units, blocks half a unit apart
        self.width_units, self.height_units = width, height
        self.key_type = shape_type(width, height)
        self.x, self.y, self.row = x, y, row
        self.w, self.h = pixels(width), pixels(height)


def pixels(units):
    return math.floor(units * UNIT + 0.5)


def shape_type(width, height):
    for key_type, shape in KEY_TYPES.items():
        if shape == (width, height):
            return key_type
    raise SystemExit("no key type for a %s x %s unit key" % (width, height))


def row_top(row):
    return 0 if row == 0 else UNIT + ROW_GAP + (row - 1) * UNIT


def build_keys():
    """All keys in reading order (row by row; main block, navigation, pad)."""
    main_width = 15
    nav_x = pixels(main_width) + BLOCK_GAP
    pad_x = nav_x + pixels(3) + BLOCK_GAP
    keys = []
    for row in range(6):
        for left, sketch_left, block in ((0, 0, MAIN_BLOCK), (nav_x, 15.5, NAV_BLOCK),
                                         (pad_x, 19, NUM_PAD)):
            at = 0.0
            for item in block[row]:
                if isinstance(item, (int, float)):
                    at += item
                    continue
                label, usage, matrix, *size = item
                width = size[0] if size else 1
                height = size[1] if len(size) > 1 else 1
                keys.append(Key(label, usage, matrix, width, height,
                                left + pixels(at), row_top(row), row, sketch_left + at))
                at += width
    return keys


def neighbours(a, b, keys):
    """Keys next to each other: in one row with at most one unit of empty
    space and no key between them, or one above the other across at most the
    row gap. (Rounding to whole pixels lets some keys of a row overlap by a
    pixel; the gap inside the key pictures hides that.)"""
    dx = max(a.x, b.x) - min(a.x + a.w, b.x + b.w)
    dy = max(a.y, b.y) - min(a.y + a.h, b.y + b.h)
    if dy < 0:
        lo, hi = min(a.x + a.w, b.x + b.w), max(a.x, b.x)
        return dx <= UNIT and not any(
            lo <= k.x and k.x + k.w <= hi and k.y < a.y + a.h and a.y < k.y + k.h
            for k in keys)
    return dx < 0 and dy <= ROW_GAP


def check_keys(keys):
    by_matrix = {}
    for k in keys:
        if not 0 <= k.matrix < MATRIX_SIZE or k.matrix in by_matrix:
            raise SystemExit("matrix position %d of %r is taken or out of range"
                             % (k.matrix, k.label))
        by_matrix[k.matrix] = k
    fn = by_matrix.get(FN_MATRIX)
    if fn is None or fn.label != "Fn" or fn.usage != 0:
        raise SystemExit("Fn must sit at matrix position %d with code 0" % FN_MATRIX)
    usages = [k.usage for k in keys if k.matrix != FN_MATRIX]
    if 0 in usages or len(set(usages)) != len(usages):
        raise SystemExit("every key but Fn needs its own nonzero code")
    names = dict(KEY_NAMES)
    for k in keys:
        if k.matrix != FN_MATRIX and k.usage not in names:
            raise SystemExit("code 0x%02X of %r has no name" % (k.usage, k.label))
        # Main-block letters, digits and F keys are labelled as their code is named.
        plain = re.fullmatch(r"[A-Z0-9]|F[0-9]+", k.label) is not None
        if plain and k.x < pixels(15) and names[k.usage] != k.label:
            raise SystemExit("%r carries the code of %r" % (k.label, names[k.usage]))
    for path in (FIRST_PATH, SECOND_PATH):
        missing = [m for m in path if m not in by_matrix]
        if missing:
            raise SystemExit("path positions without a key: %s" % missing)
    # The spotlight's middle: 41 and 42 side by side, 57 and 58 below them.
    a, b, c, d = (by_matrix[m] for m in (41, 42, 57, 58))
    if not (a.row == b.row and c.row == d.row == a.row + 1
            and neighbours(a, b, keys) and neighbours(c, d, keys)
            and a.x < b.x and c.x < d.x):
        raise SystemExit("41/42 and 57/58 must be two side-by-side pairs, one row apart")
    right = max(k.x + k.w for k in keys)
    bottom = max(k.y + k.h for k in keys)
    if right > MAX_WIDTH or bottom > MAX_HEIGHT:
        raise SystemExit("drawing is %d x %d px, more than %d x %d"
                         % (right, bottom, MAX_WIDTH, MAX_HEIGHT))
    return by_matrix


# ---------------------------------------------------------------------------
# INI text
# ---------------------------------------------------------------------------

def ini_text(text):
    """One string as QSettings reads it back unchanged: plain when it can be,
    otherwise in double quotes with backslash escapes."""
    text = str(text)
    if text.startswith("@") or any(ord(ch) < 0x20 for ch in text):
        raise SystemExit("cannot write %r as plain INI text" % text)
    special = any(ch in text for ch in ',;"\\=#')
    if special or text == "" or text != text.strip():
        return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'
    return text


def ini_value(value):
    if isinstance(value, bool):
        return "true" if value else "false"
    if isinstance(value, list):
        # A one-element list is written as its element: QSettings then reads
        # a string, which converts to a one-element string list.
        return ", ".join(ini_value(v) for v in value)
    return ini_text(value)


def ini_file(groups):
    """groups: list of (group name, list of (key, value)) -> file text."""
    out = []
    for name, entries in groups:
        if out:
            out.append("")
        out.append("[%s]" % name)
        out.extend("%s=%s" % (key, ini_value(value)) for key, value in entries)
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------
# File contents (each: list of (group, [(key, value), ...]))
# ---------------------------------------------------------------------------

def utf16_length(text):
    return len(text.encode("utf-16-le")) // 2


def check_text(total):
    """The language file's check text for the sum of the string lengths."""
    parts = [(total + 74) % 256, (total - 69) % 256, (70 * total) % 256,
             (total // 70) % 256]
    return "".join(str(p) for p in parts)


def split_strings(block):
    strings = [s.strip() for s in block.replace("\n", "").split("|")]
    if len(strings) != STRING_COUNT or any(not s for s in strings):
        raise SystemExit("expected %d strings, got %d" % (STRING_COUNT, len(strings)))
    return strings


def hardware_definition(keys):
    entries = [("total_HW", len(keys)), ("total_FW", MATRIX_SIZE)]
    for number, k in enumerate(keys, 1):
        entries.append((str(number),
                        [k.x, k.y, k.key_type, k.label, k.matrix, k.usage]))
    return [("common", [("kbLayoutType", LAYOUT), ("maxMacro", MAX_MACRO),
                        ("maxProfile", MAX_PROFILE)]),
            (str(LAYOUT), entries)]


def key_code_names():
    names = [n for _, n in KEY_NAMES]
    codes = [c for c, _ in KEY_NAMES]
    if len(set(names)) != len(names) or len(set(codes)) != len(codes):
        raise SystemExit("key names and codes must be unique")
    for n in names:
        if not n.isascii() or n != n.strip() or any(ch in n for ch in ',;"\\=#'):
            raise SystemExit("key name %r needs quoting" % n)
    return [("common", [("usbStr", names), ("usbCode", codes)])]


def configuration():
    order = sorted(LANGUAGE_DISPLAY_NAMES.values())
    language = order.index(LANGUAGE_DISPLAY_NAMES[DEFAULT_LANGUAGE])
    items = [1,          # 0 layout version of the list
             1,          # 1 skin 1
             1,          # 2 sound off
             0,          # 3 animations normal
             language,   # 4 position of English in the language list
             False,      # 5 custom background off
             "",         # 6 custom background picture
             0]          # 7 text size normal
    items += [c for colour in TEXT_COLOURS for c in colour]  # 8-28
    items += [0,           # 29 selected text colour
              7,           # 30 text brightness step
              WEB_ADDRESS]  # 31
    entries = [("name", PRODUCT_NAME), ("product_name", [PRODUCT_NAME]),
               ("total", len(items))]
    entries += [(str(i), v) for i, v in enumerate(items)]
    return [("common", entries)]


def profile(by_matrix):
    colours = [c for colour in LED_COLOURS for c in colour]
    keydefine = []
    for m in range(MATRIX_SIZE):
        code = by_matrix[m].usage if m in by_matrix else 0
        keydefine.append((str(m), [code & 0xFF, (code >> 8) & 0xFF]))
    combo = [(str(m), [0, 0]) for m in range(MATRIX_SIZE)]
    return [("color", [("ledType", LED_TYPE), ("color", colours)]),
            ("keydefine%d" % LAYOUT, keydefine),
            ("combokey", combo)]


def language_file(lang):
    strings = split_strings(lang["strings"])
    total = sum(utf16_length(s) for s in strings)
    font = [("family", lang["family"]), ("total", len(strings)),
            ("cs", check_text(total))]
    return [("font", font),
            ("strings", [(str(i), s) for i, s in enumerate(strings, 1)]),
            ("msg", [(str(i), s) for i, s in enumerate(lang["msg"])])]


def all_files():
    """Relative path -> contents (list of groups), in writing order."""
    keys = build_keys()
    by_matrix = check_keys(keys)
    files = {
        "modules/setting/HWDef.bin": hardware_definition(keys),
        "modules/setting/KeyCodeDef.bin": key_code_names(),
        "modules/setting/apConfigD.bin": configuration(),
        "modules/setting/apConfig.bin": configuration(),
        "modules/setting/pD.bin": profile(by_matrix),
    }
    for slot in range(1, MAX_PROFILE + 1):
        files["modules/setting/p%d.bin" % slot] = profile(by_matrix)
    for lang in LANGUAGES:
        files["modules/i18n/lang_%s.ini" % lang["code"]] = language_file(lang)
    return files


HEADER = ("; Generated by scripts/make-data.py: edit the tables there and run it again.\n")


def write_all(root):
    for rel, groups in all_files().items():
        path = root / rel
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes((HEADER + ini_file(groups)).encode("utf-8"))
        print("wrote", rel)
    keep = root / "modules/macro/.keep"
    keep.parent.mkdir(parents=True, exist_ok=True)
    keep.write_bytes(b"")
    print("wrote modules/macro/.keep")


# ---------------------------------------------------------------------------
# Sketch
# ---------------------------------------------------------------------------

ASCII_LABELS = {"↑": "^", "↓": "v", "←": "<", "→": ">"}
CHARS_PER_UNIT = 4


def sketch():
    keys = build_keys()
    by_matrix = check_keys(keys)
    step = {}
    for mark, path in (("a", FIRST_PATH), ("b", SECOND_PATH)):
        for n, m in enumerate(path, 1):
            step[m] = "%s%d" % (mark, n)

    def col(units):
        return math.floor(units * CHARS_PER_UNIT + 0.5)

    width = col(max(k.sketch_x + k.width_units for k in keys)) + 1
    grid = [[" "] * width for _ in range(6 * 4 + 1)]

    def put(line, start, end, text):
        text = text[:end - start - 1]
        at = start + 1 + (end - start - 1 - len(text)) // 2
        for i, ch in enumerate(text):
            grid[line][at + i] = ch

    for k in keys:
        c0, c1 = col(k.sketch_x), col(k.sketch_x + k.width_units)
        rows = range(k.row, k.row + int(k.height_units))
        for r in rows:
            top = r * 4
            if r == k.row:
                for c in range(c0, c1 + 1):
                    grid[top][c] = "-"
                grid[top][c0] = grid[top][c1] = "+"
            for line in range(top + 1, top + 4):
                grid[line][c0] = grid[line][c1] = "|"
            bottom = top + 4
            if r == rows[-1]:
                for c in range(c0, c1 + 1):
                    if grid[bottom][c] != "+":
                        grid[bottom][c] = "-"
                grid[bottom][c0] = grid[bottom][c1] = "+"
        top = k.row * 4
        put(top + 1, c0, c1, ASCII_LABELS.get(k.label, k.label))
        put(top + 2, c0, c1, str(k.matrix))
        put(top + 3, c0, c1, step.get(k.matrix, ""))

    out = ["Drawn keyboard: %d keys, %d x %d px, key unit %d px"
           % (len(keys), max(k.x + k.w for k in keys), max(k.y + k.h for k in keys),
              UNIT),
           "Each key: label / matrix position / step on the first (a) or second (b)"
           " spotlight path",
           ""]
    out += ["".join(line).rstrip() for line in grid]
    out.append("")
    for title, path in (("first path (a)", FIRST_PATH), ("second path (b)", SECOND_PATH)):
        parts = []
        for n, m in enumerate(path):
            k = by_matrix[m]
            text = "%s %d" % (ASCII_LABELS.get(k.label, k.label), m)
            if n and not neighbours(by_matrix[path[n - 1]], k, keys):
                text = "~> " + text
            elif n:
                text = "-> " + text
            parts.append(text)
        out.append("%s: %s" % (title, " ".join(parts)))
    out.append("(~> marks a step between keys that are not neighbours)")
    out.append("")
    free = [m for m in range(MATRIX_SIZE) if m not in by_matrix]
    out.append("unused matrix positions: %s" % " ".join(map(str, free)))
    out.append("")
    out.append("key types (picture size in px):")
    for key_type, (w, h) in KEY_TYPES.items():
        count = sum(1 for k in keys if k.key_type == key_type)
        out.append("  k%d: %5.2fu x %du = %3d x %2d px, %3d keys"
                   % (key_type, w, h, pixels(w), pixels(h), count))
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sketch", action="store_true",
                        help="print the keyboard's matrix numbering and exit")
    parser.add_argument("--root", type=Path, default=ROOT,
                        help="folder that receives modules/ (default: the work tree)")
    args = parser.parse_args()
    if args.sketch:
        print(sketch())
        return 0
    write_all(args.root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
