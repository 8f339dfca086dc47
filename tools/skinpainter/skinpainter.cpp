// Paints every picture of the scene's two skins with QPainter and writes them as PNG
// files, so that the look can be changed here and rebuilt (scripts/make-skins).
//
//   skinpainter --out DIR                 writes DIR/skin1/... and DIR/skin2/...
//   skinpainter --sheet FILE.png          a contact sheet of every picture of both skins,
//               [--layout HWDef.bin]      led by two windows put together as the scene
//                                         places the pictures (keys from the layout)
//   skinpainter --list                    path, size and role of every picture, as a table
//
// The output is the same bytes on every run: nothing depends on the time, the locale or
// the installed fonts (only the contact sheet writes text).
//
// Drawing rules that keep the pictures crisp at 1x: every shape sits on the integer
// pixel grid; 1 px lines lie on pixel centres (x.5) and 2 px lines on pixel edges;
// straight lines are filled rectangles; rounded outlines are stroked inside their box so
// that outline and fill share one silhouette. Corner radii come from one family: 2 px
// for slider segments, 4 px for controls, 8 px for panels, 10 px for the window. Long
// gradients are painted at 16 bits per channel and dithered down, so they show no bands.

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSettings>
#include <QTextStream>
#include <QtMath>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------
// Palettes
// ---------------------------------------------------------------------------------

struct Palette {
    int skin;
    const char *name;
    QColor bg0, bg1, bg2, bg3;        // surfaces, darkest to lightest
    QColor line, lineHi;              // hairlines: quiet borders, raised borders
    QColor ink, muted;                // glyphs: normal and quiet
    QColor accent, accentHi, accentDim;
    QColor danger;                    // close button and the record dot
    QColor glow;                      // the light falling on the backdrop from above
    QColor capEdge, capSide, capFace, capFaceHi; // key caps
};

// Skin 1: graphite greys with one cyan accent.
const Palette kGraphite{
    1, "graphite / cyan",
    QColor(0x16, 0x18, 0x1C), QColor(0x1C, 0x1E, 0x23), QColor(0x22, 0x25, 0x2A), QColor(0x2A, 0x2D, 0x33),
    QColor(0x3A, 0x3E, 0x46), QColor(0x50, 0x56, 0x60),
    QColor(0xD6, 0xDB, 0xE2), QColor(0x8E, 0x95, 0xA0),
    QColor(0x00, 0xD8, 0xE8), QColor(0x8C, 0xF6, 0xFF), QColor(0x00, 0x6A, 0x73),
    QColor(0xE5, 0x48, 0x4D), QColor(0x00, 0xD8, 0xE8),
    QColor(0x0C, 0x0D, 0x10), QColor(0x1D, 0x20, 0x25), QColor(0x2A, 0x2E, 0x35), QColor(0x36, 0x3B, 0x43)};

// Skin 2: midnight blues with one amber accent.
const Palette kMidnight{
    2, "midnight / amber",
    QColor(0x0B, 0x12, 0x20), QColor(0x10, 0x19, 0x2B), QColor(0x15, 0x21, 0x37), QColor(0x1C, 0x2B, 0x45),
    QColor(0x2A, 0x3C, 0x5A), QColor(0x3F, 0x56, 0x7B),
    QColor(0xDE, 0xE5, 0xF0), QColor(0x88, 0x98, 0xB2),
    QColor(0xFF, 0xB0, 0x20), QColor(0xFF, 0xD8, 0x85), QColor(0x7C, 0x55, 0x0E),
    QColor(0xFF, 0x5C, 0x4F), QColor(0x3C, 0x78, 0xD0),
    QColor(0x06, 0x0B, 0x15), QColor(0x15, 0x20, 0x35), QColor(0x1F, 0x2E, 0x4A), QColor(0x2B, 0x3E, 0x60)};

const Palette *const kSkins[] = {&kGraphite, &kMidnight};

// ---------------------------------------------------------------------------------
// Layout figures the pictures are cut to (window coordinates unless stated)
// ---------------------------------------------------------------------------------

constexpr int kWindowW = 1000, kWindowH = 600;
constexpr int kRadiusWindow = 10, kRadiusPanel = 8, kRadiusSmall = 4, kRadiusMicro = 2;
// Line widths: hairlines 1 px, emphasis 2 px. Curves and diagonals of the small glyphs
// are 1.25 px, which antialiasing leaves as heavy to the eye as a 1 px straight line.
constexpr int kHairline = 1, kEmphasis = 2;
constexpr qreal kCurve = 1.25;

// The page area is 759 x 442; two pages sit 46 px down and keep 396 px. The page
// panels stop 12 px short of the area's right edge, where the profile menu begins.
constexpr int kPageW = 759, kPageH = 442, kPageLowH = 442 - 46, kPagePanelW = 747;
// The drawn keyboard: 706 x 198 at (23, 97) of the key and colour pages.
const QRect kKeyboard(23, 97, 706, 198);
constexpr int kKeyboardWellPad = 6; // the game mode box follows 10 px below the keyboard

// One key unit is 31 px with the gap around the cap; widths of the nine key shapes.
struct KeyShape {
    int type, w, h;
};
constexpr KeyShape kKeyShapes[] = {{1, 31, 31}, {2, 39, 31}, {3, 47, 31}, {4, 54, 31}, {5, 62, 31},
                                   {6, 70, 31}, {7, 85, 31}, {8, 194, 31}, {9, 31, 62}};

// ---------------------------------------------------------------------------------
// Drawing helpers
// ---------------------------------------------------------------------------------

QColor alpha(QColor c, int a)
{
    c.setAlpha(a);
    return c;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    auto m = [t](int x, int y) { return qRound(x + (y - x) * t); };
    return QColor(m(a.red(), b.red()), m(a.green(), b.green()), m(a.blue(), b.blue()), m(a.alpha(), b.alpha()));
}

QLinearGradient vertical(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A horizontal gradient that is `c` in the middle part and fades out towards both ends.
QLinearGradient fadeBothEnds(qreal x0, qreal x1, const QColor &c, qreal solidFrom = 0.3, qreal solidTo = 0.7)
{
    QLinearGradient g(QPointF(x0, 0), QPointF(x1, 0));
    g.setColorAt(0, alpha(c, 0));
    g.setColorAt(solidFrom, c);
    g.setColorAt(solidTo, c);
    g.setColorAt(1, alpha(c, 0));
    return g;
}

// A horizontal gradient from `c` at x0 to transparent at x1 (x1 may be left of x0).
QLinearGradient fadeTowards(qreal x0, qreal x1, const QColor &c)
{
    QLinearGradient g(QPointF(x0, 0), QPointF(x1, 0));
    g.setColorAt(0, c);
    g.setColorAt(1, alpha(c, 0));
    return g;
}

void fillBox(QPainter &p, const QRectF &r, qreal radius, const QBrush &brush)
{
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    p.drawRoundedRect(r, radius, radius);
}

// Outline of the rounded box whose outer edge is `r`, `width` px wide, drawn inside that
// edge: the centre line is half a stroke in, so a 1 px line falls on pixel centres and a
// 2 px line covers exactly two pixel rows.
void strokeBox(QPainter &p, const QRectF &r, qreal radius, const QColor &c, qreal width = kHairline)
{
    const qreal h = width / 2;
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(h, h, -h, -h), radius - h, radius - h);
}

// Straight lines are filled pixel rectangles: crisp by construction.
void hline(QPainter &p, int x0, int x1, int row, const QBrush &b, int thickness = kHairline)
{
    p.fillRect(QRect(x0, row, x1 - x0, thickness), b);
}

void vline(QPainter &p, int col, int y0, int y1, const QBrush &b, int thickness = kHairline)
{
    p.fillRect(QRect(col, y0, thickness, y1 - y0), b);
}

// A pen for glyph outlines.
QPen glyphPen(const QColor &c, qreal width = kHairline)
{
    return QPen(c, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// A raised panel: soft vertical gradient, hairline border, a faint light line under its
// top edge. `fillAlpha` lets a custom background show through.
void panel(QPainter &p, const Palette &c, const QRect &r, int radius, int fillAlpha = 235)
{
    fillBox(p, r, radius, vertical(r, alpha(c.bg2, fillAlpha), alpha(c.bg1, fillAlpha)));
    strokeBox(p, r, radius, c.line);
    hline(p, r.left() + radius, r.right() + 1 - radius, r.top() + 1, QColor(255, 255, 255, 12));
}

// A recessed well: darker fill, a shadow line along its top inside edge.
void well(QPainter &p, const Palette &c, const QRect &r, int radius, int fillAlpha = 230)
{
    fillBox(p, r, radius, alpha(c.bg0, fillAlpha));
    strokeBox(p, r, radius, alpha(c.line, 200));
    hline(p, r.left() + radius, r.right() + 1 - radius, r.top() + 1, QColor(0, 0, 0, 70));
}

// A short accent mark on a panel's top edge, fading towards the right.
void accentTab(QPainter &p, const Palette &c, int x, int row, int length)
{
    hline(p, x, x + length, row, fadeTowards(x + length * 0.4, x + length, c.accent), kEmphasis);
    hline(p, x, x + qRound(length * 0.4), row, c.accent, kEmphasis);
}

// ---------------------------------------------------------------------------------
// Buttons and glyphs
// ---------------------------------------------------------------------------------

// The square tile behind every 21 px button; the hovered or pressed state lights its
// border and tints its face with the accent.
void buttonTile(QPainter &p, const Palette &c, const QRect &r, bool hot)
{
    const QColor face = hot ? mix(c.bg3, c.accent, 0.16) : c.bg3;
    fillBox(p, r, kRadiusSmall, vertical(r, face.lighter(112), face));
    strokeBox(p, r, kRadiusSmall, hot ? c.accent : c.lineHi);
}

QColor glyphColour(const Palette &c, bool hot)
{
    return hot ? c.accentHi : c.ink;
}

// Glyphs of the 21 x 21 buttons: drawn around the centre pixel (10, 10).
void glyphPlus(QPainter &p, const QColor &g)
{
    hline(p, 6, 15, 10, g);
    vline(p, 10, 6, 15, g);
}

void glyphMinus(QPainter &p, const QColor &g)
{
    hline(p, 6, 15, 10, g);
}

void glyphTick(QPainter &p, const QColor &g, const QPointF &o, qreal scale, qreal width)
{
    QPainterPath tick;
    tick.moveTo(o + QPointF(0, 3) * scale);
    tick.lineTo(o + QPointF(3, 6) * scale);
    tick.lineTo(o + QPointF(9, 0) * scale);
    p.setPen(QPen(g, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void glyphReset(QPainter &p, const QColor &g)
{
    // A circular arrow: three quarters of a ring, the arrow head at its upper end.
    const QRectF ring(5.5, 5.5, 10, 10);
    QPainterPath arc;
    arc.arcMoveTo(ring, 100);
    arc.arcTo(ring, 100, 270);
    p.setPen(glyphPen(g, kCurve));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    const QPointF tip = arc.pointAtPercent(0);
    QPainterPath head;
    head.moveTo(tip + QPointF(3.2, -0.2));
    head.lineTo(tip + QPointF(-1.2, -2.8));
    head.lineTo(tip + QPointF(-0.8, 2.6));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(head);
}

void glyphTrash(QPainter &p, const QColor &g)
{
    hline(p, 9, 12, 4, g);        // handle
    hline(p, 5, 16, 6, g);        // lid
    p.setPen(glyphPen(g));
    p.setBrush(Qt::NoBrush);
    QPainterPath body;            // tapering can, open at the top
    body.moveTo(6.5, 8);
    body.lineTo(7.5, 16.5);
    body.lineTo(13.5, 16.5);
    body.lineTo(14.5, 8);
    p.drawPath(body);
    vline(p, 9, 9, 15, g);
    vline(p, 11, 9, 15, g);
}

void glyphScissors(QPainter &p, const QColor &g)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(g, kCurve, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawEllipse(QPointF(7, 14.5), 2.2, 2.2);
    p.drawEllipse(QPointF(14, 14.5), 2.2, 2.2);
    p.drawLine(QPointF(8.4, 12.6), QPointF(14.2, 4.5));
    p.drawLine(QPointF(12.6, 12.6), QPointF(6.8, 4.5));
}

void glyphClipboard(QPainter &p, const QColor &g, const QColor &tile)
{
    strokeBox(p, QRect(5, 5, 11, 12), 2, g);
    p.fillRect(QRect(8, 4, 5, 3), tile);
    strokeBox(p, QRect(8, 3, 5, 3), 1, g);
    hline(p, 8, 13, 9, g);
    hline(p, 8, 13, 11, g);
    hline(p, 8, 11, 13, g);
}

void glyphCopy(QPainter &p, const QColor &g, const QColor &tile)
{
    strokeBox(p, QRect(8, 4, 9, 10), 2, g);
    fillBox(p, QRect(4, 7, 9, 10), 2, tile);
    strokeBox(p, QRect(4, 7, 9, 10), 2, g);
}

// A 21 x 21 button: the tile and one glyph.
enum class Glyph { Add, Delete, Record, Stop, Reset, Apply, Trash, Cut, Paste, Copy };

void paintButton(QPainter &p, const Palette &c, Glyph glyph, bool hot)
{
    const QRect r(0, 0, 21, 21);
    buttonTile(p, c, r, hot);
    const QColor g = glyphColour(c, hot);
    const QColor tile = hot ? mix(c.bg3, c.accent, 0.16) : c.bg3;
    switch (glyph) {
    case Glyph::Add: glyphPlus(p, g); break;
    case Glyph::Delete: glyphMinus(p, g); break;
    case Glyph::Record: {
        const QColor dot = hot ? c.danger.lighter(125) : c.danger;
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QPointF(10.5, 10.5), 4.5, 4.5);
        if (hot) {
            p.setBrush(Qt::NoBrush);
            p.setPen(glyphPen(alpha(dot, 110)));
            p.drawEllipse(QPointF(10.5, 10.5), 6.5, 6.5);
        }
        break;
    }
    case Glyph::Stop: p.fillRect(QRect(7, 7, 7, 7), g); break;
    case Glyph::Reset: glyphReset(p, g); break;
    case Glyph::Apply: glyphTick(p, g, QPointF(5.5, 7), 1.1, kCurve); break;
    case Glyph::Trash: glyphTrash(p, g); break;
    case Glyph::Cut: glyphScissors(p, g); break;
    case Glyph::Paste: glyphClipboard(p, g, tile); break;
    case Glyph::Copy: glyphCopy(p, g, tile); break;
    }
}

// Top bar buttons, 25 x 25: no tile at rest, a tile under the pointer.
enum class TopGlyph { Settings, Minimise, Close };

void paintTopButton(QPainter &p, const Palette &c, TopGlyph glyph, bool hot)
{
    const QRect r(0, 0, 25, 25);
    QColor g = hot ? c.accentHi : c.ink;
    if (hot) {
        if (glyph == TopGlyph::Close) {
            fillBox(p, r, kRadiusSmall, c.danger);
            g = QColor(255, 255, 255);
        } else {
            fillBox(p, r, kRadiusSmall, mix(c.bg3, c.accent, 0.14));
            strokeBox(p, r, kRadiusSmall, c.accent);
        }
    }
    switch (glyph) {
    case TopGlyph::Settings: {
        // A gear: eight teeth around a ring, filled.
        const QPointF centre(12.5, 12.5);
        QPainterPath gear;
        gear.addEllipse(centre, 5.5, 5.5);
        for (int i = 0; i < 8; ++i) {
            QPainterPath tooth;
            tooth.addRect(QRectF(-1.5, -8, 3, 4));
            QTransform t;
            t.translate(centre.x(), centre.y());
            t.rotate(i * 45.0);
            gear = gear.united(t.map(tooth));
        }
        QPainterPath hole;
        hole.addEllipse(centre, 2.5, 2.5);
        gear = gear.subtracted(hole);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(gear);
        break;
    }
    case TopGlyph::Minimise: hline(p, 8, 17, 12, g); break;
    case TopGlyph::Close:
        p.setPen(QPen(g, kCurve, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(8.5, 8.5), QPointF(16.5, 16.5));
        p.drawLine(QPointF(16.5, 8.5), QPointF(8.5, 16.5));
        break;
    }
}

// Function menu icons, 21 x 21 on transparent: quiet at rest, accent when current.
enum class FnGlyph { Keydefine, Macro, Color };

void paintFnIcon(QPainter &p, const Palette &c, FnGlyph glyph, bool current)
{
    const QColor g = current ? c.accent : c.muted;
    switch (glyph) {
    case FnGlyph::Keydefine:
        // A key cap seen from the front: the cap and its top face.
        strokeBox(p, QRect(1, 3, 19, 15), kRadiusSmall, g);
        strokeBox(p, QRect(4, 5, 13, 9), kRadiusMicro, g);
        if (current)
            p.fillRect(QRect(5, 6, 11, 7), alpha(g, 70));
        break;
    case FnGlyph::Macro: {
        // A run of steps started by a play mark.
        QPainterPath play;
        play.moveTo(2, 5);
        play.lineTo(9, 10.5);
        play.lineTo(2, 16);
        play.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(play);
        hline(p, 11, 20, 5, g);
        hline(p, 11, 20, 10, g);
        hline(p, 11, 18, 15, g);
        break;
    }
    case FnGlyph::Color:
        // Three overlapping rings, as colour mixing is drawn.
        p.setBrush(Qt::NoBrush);
        p.setPen(glyphPen(g, kCurve));
        p.drawEllipse(QPointF(7.5, 8), 4.6, 4.6);
        p.drawEllipse(QPointF(13.5, 8), 4.6, 4.6);
        p.drawEllipse(QPointF(10.5, 13.2), 4.6, 4.6);
        break;
    }
}

// ---------------------------------------------------------------------------------
// Frame pictures
// ---------------------------------------------------------------------------------

QPainterPath windowShape()
{
    QPainterPath s;
    s.addRoundedRect(QRectF(0, 0, kWindowW, kWindowH), kRadiusWindow, kRadiusWindow);
    return s;
}

// The window's backdrop: a dark gradient with a soft light from above, rounded
// corners, transparent outside them.
void paintBackground(QPainter &p, const Palette &c)
{
    const QRectF r(0, 0, kWindowW, kWindowH);
    p.setPen(Qt::NoPen);
    p.setBrush(vertical(r, c.bg1, c.bg0));
    p.drawPath(windowShape());
    p.setClipPath(windowShape());
    QRadialGradient light(QPointF(kWindowW / 2.0, -80), 620);
    light.setColorAt(0, alpha(c.glow, 26));
    light.setColorAt(0.6, alpha(c.glow, 8));
    light.setColorAt(1, alpha(c.glow, 0));
    p.fillRect(r, light);
    QRadialGradient low(QPointF(kWindowW / 2.0, kWindowH + 200), 700);
    low.setColorAt(0, QColor(0, 0, 0, 0));
    low.setColorAt(1, QColor(0, 0, 0, 50));
    p.fillRect(r, low);
}

// The frame above the backdrop: the window's outline and a light line under its top
// edge, the accent line under the logo; transparent elsewhere.
void paintFrameBackground(QPainter &p, const Palette &c)
{
    strokeBox(p, QRectF(0, 0, kWindowW, kWindowH), kRadiusWindow, c.lineHi);
    hline(p, kRadiusWindow, kWindowW - kRadiusWindow, 1, QColor(255, 255, 255, 16));
    hline(p, kRadiusWindow, kWindowW - kRadiusWindow, kWindowH - 2, QColor(0, 0, 0, 60));
    // The logo ends at y 36; the accent line under it marks the window's middle.
    hline(p, 300, 700, 44, fadeBothEnds(300, 700, alpha(c.accent, 120), 0.45, 0.55));
    hline(p, 360, 640, 45, fadeBothEnds(360, 640, alpha(c.accent, 26), 0.45, 0.55));
}

// Decoration layers: a soft glow with an accent line, 144 x 20, centred on (78, 93) and
// on (923, 93). The bright end of each faces the window's edge. The line runs in the
// upper half (window y 87), 8 px above the profile menu, which starts at y 95.
void paintDecoration(QPainter &p, const Palette &c, bool mirrored)
{
    constexpr int w = 144, row = 4;
    if (mirrored) {
        p.translate(w, 0);
        p.scale(-1, 1);
    }
    // A flat ellipse of light along the line: a round gradient squeezed vertically.
    QRadialGradient flat(QPointF(22, row + 1), 56);
    flat.setColorAt(0, alpha(c.accent, 36));
    flat.setColorAt(1, alpha(c.accent, 0));
    p.save();
    p.translate(0, row + 1);
    p.scale(1, 0.16);
    p.translate(0, -(row + 1));
    p.fillRect(QRectF(0, -60, w, 140), flat);
    p.restore();
    hline(p, 8, w, row + 1, fadeTowards(30, w, alpha(c.accent, 150)));
    hline(p, 8, 36, row, c.accent, kEmphasis);
    p.fillRect(QRect(2, row, 2, 2), c.accentHi);
}

// The logo, 160 x 32: a tab hanging from the top bar with the mark, a key cap holding a
// V, and a wing of accent lines either side. The hovered state lights it up.
void paintLogo(QPainter &p, const Palette &c, bool hot)
{
    const QRect plate(52, 1, 56, 30);
    if (hot) {
        QRadialGradient glow(QPointF(80, 16), 46);
        glow.setColorAt(0, alpha(c.accent, 70));
        glow.setColorAt(1, alpha(c.accent, 0));
        p.fillRect(QRect(0, 0, 160, 32), glow);
    }
    fillBox(p, plate, kRadiusPanel, vertical(plate, c.bg3, c.bg1));
    strokeBox(p, plate, kRadiusPanel, hot ? c.accent : c.lineHi);
    // Wings: a 2 px line near the plate fading out, a hairline beyond.
    const QColor wing = hot ? c.accentHi : c.accent;
    hline(p, 8, 48, 16, fadeTowards(48, 8, alpha(wing, 200)));
    hline(p, 112, 152, 16, fadeTowards(112, 152, alpha(wing, 200)));
    hline(p, 36, 48, 15, wing, kEmphasis);
    hline(p, 112, 124, 15, wing, kEmphasis);
    // The mark: a key cap with an accent edge and a bright V.
    const QRect cap(70, 6, 20, 20);
    fillBox(p, cap, kRadiusSmall, vertical(cap, c.capFaceHi, c.capSide));
    strokeBox(p, cap, kRadiusSmall, hot ? c.accentHi : c.accent);
    QPainterPath v;
    v.moveTo(75.5, 11);
    v.lineTo(80, 21);
    v.lineTo(84.5, 11);
    p.setPen(QPen(hot ? QColor(255, 255, 255) : c.accentHi, kEmphasis, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
}

// ---------------------------------------------------------------------------------
// Bars and menus
// ---------------------------------------------------------------------------------

// Top bar container: a slim strip across the window, 984 x 19; its 25 px buttons stand
// 3 px above it and are centred on it.
void paintListUp(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, 984, 19);
    panel(p, c, r, kRadiusPanel, 240);
}

// Bottom bar container, 982 x 47: the all-reset and all-apply buttons sit at y 13.
void paintListDn(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, 982, 47);
    panel(p, c, r, kRadiusPanel, 240);
    hline(p, 291, 691, 0, fadeBothEnds(291, 691, alpha(c.accent, 150), 0.4, 0.6));
}

// Profile menu container, 80 x 365: the rows (49 x 26, up to ten) start at (23, 97);
// the panel keeps 8 px around them and leaves the left 15 px clear of the page area.
// Its header shows three stacked layers, the profiles; the lowest is lit.
void paintListPf(QPainter &p, const Palette &c)
{
    const QRect r(15, 0, 65, 365);
    panel(p, c, r, kRadiusPanel, 240);
    const qreal cx = 47.5, half = 11, rise = 5; // the middle column of the panel
    for (int i = 2; i >= 0; --i) {
        const qreal y = 36.5 + 5 * i;
        QPainterPath layer;
        layer.moveTo(cx - half, y + rise);
        layer.lineTo(cx, y);
        layer.lineTo(cx + half, y + rise);
        layer.lineTo(cx, y + 2 * rise);
        layer.closeSubpath();
        const bool lit = i == 2;
        p.setPen(glyphPen(lit ? c.accent : c.muted));
        p.setBrush(lit ? mix(c.bg2, c.accent, 0.25) : c.bg2);
        p.drawPath(layer);
    }
    hline(p, 23, 72, 80, fadeBothEnds(23, 72, c.line, 0.2, 0.8));
}

// Profile row, 49 x 26: quiet at rest, accent when current or under the pointer. The
// scene writes "P01" ... on it.
void paintProfileRow(QPainter &p, const Palette &c, bool hot)
{
    const QRect r(0, 0, 49, 26);
    if (hot) {
        fillBox(p, r, kRadiusSmall, mix(c.bg3, c.accent, 0.18));
        strokeBox(p, r, kRadiusSmall, c.accent);
        vline(p, 3, 7, 19, c.accentHi, kEmphasis);
    } else {
        fillBox(p, r, kRadiusSmall, alpha(c.bg3, 170));
        strokeBox(p, r, kRadiusSmall, c.line);
    }
}

// Function menu button, 150 x 37: the icon sits at x 10, the name 15 px right of it.
void paintFnButton(QPainter &p, const Palette &c, bool hot)
{
    const QRect r(0, 0, 150, 37);
    if (hot) {
        const QColor face = mix(c.bg3, c.accent, 0.14);
        fillBox(p, r, kRadiusSmall, vertical(r, face.lighter(110), face));
        strokeBox(p, r, kRadiusSmall, c.accent);
        vline(p, 3, 9, 28, c.accentHi, kEmphasis);
    } else {
        fillBox(p, r, kRadiusSmall, vertical(r, alpha(c.bg3, 235), alpha(c.bg2, 235)));
        strokeBox(p, r, kRadiusSmall, c.line);
        hline(p, kRadiusSmall, r.width() - kRadiusSmall, 1, QColor(255, 255, 255, 12));
    }
}

// ---------------------------------------------------------------------------------
// Page backgrounds (list_center)
// ---------------------------------------------------------------------------------

void keyboardWell(QPainter &p, const Palette &c)
{
    well(p, c, kKeyboard.adjusted(-kKeyboardWellPad, -kKeyboardWellPad, kKeyboardWellPad, kKeyboardWellPad),
         kRadiusPanel);
}

// Key assignment and colour pages, 759 x 442: a panel from y 8 holding the keyboard's well.
void paintKeyboardPage(QPainter &p, const Palette &c)
{
    const QRect r(0, 8, kPagePanelW, kPageH - 8);
    panel(p, c, r, kRadiusPanel, 210);
    accentTab(p, c, r.left() + 16, r.top(), 64);
    keyboardWell(p, c);
}

// Macro page, 759 x 396 (the page sits 46 px down): wells behind the macro list column
// (header (119, 55), list 141 x 198 below it) and behind the insert fields, the button
// column at x 446 and the action list column (header (468, 55)).
void paintMacroPage(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, kPagePanelW, kPageLowH);
    panel(p, c, r, kRadiusPanel, 210);
    accentTab(p, c, r.left() + 16, r.top(), 64);
    constexpr int pad = 8, top = 55, bottom = 55 + 21 + 198;
    well(p, c, QRect(119 - pad, top - pad, 141 + 2 * pad, bottom - top + 2 * pad), kRadiusPanel, 120);
    well(p, c, QRect(290 - pad, top - pad, 468 + 141 - 290 + 2 * pad, bottom - top + 2 * pad), kRadiusPanel, 120);
}

// Backlighting page, 759 x 396 (46 px down like the macro page): the plain panel.
void paintCommonPage(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, kPagePanelW, kPageLowH);
    panel(p, c, r, kRadiusPanel, 210);
    accentTab(p, c, r.left() + 16, r.top(), 64);
}

// Global settings panel, 340 x 420 at (5, 27): the panel starts 6 px down so that it
// clears the top bar's buttons (to y 30); the TEXT box at (27, 190), 270 x 176, is a well.
void paintGlobalSettings(QPainter &p, const Palette &c)
{
    const QRect r(0, 6, 340, 414);
    fillBox(p, r, kRadiusPanel, vertical(r, c.bg2, c.bg1));
    strokeBox(p, r, kRadiusPanel, c.lineHi);
    hline(p, r.left() + kRadiusPanel, r.right() + 1 - kRadiusPanel, r.top() + 1, QColor(255, 255, 255, 14));
    accentTab(p, c, r.left() + 16, r.top(), 64);
    well(p, c, QRect(27, 190, 270, 176), kRadiusPanel, 150);
}

// ---------------------------------------------------------------------------------
// Common widgets
// ---------------------------------------------------------------------------------

// A closed field (drop-down, file list button), 151 x 23, with a marker in a 22 px cell
// at its right end. It stretches as a border image with 4 px borders left, top and
// bottom and a 23 px right border.
void paintFieldFrame(QPainter &p, const Palette &c, bool fileList)
{
    const QRect r(0, 0, 151, 23);
    fillBox(p, r, kRadiusSmall, vertical(r, c.bg3, c.bg2));
    strokeBox(p, r, kRadiusSmall, c.lineHi);
    hline(p, kRadiusSmall, r.width() - kRadiusSmall, 1, QColor(255, 255, 255, 14));
    vline(p, 128, 5, 18, c.line);
    const QColor g = c.ink;
    if (fileList) {
        // Three short lines: a list.
        for (int i = 0; i < 3; ++i)
            hline(p, 135, 144, 7 + 4 * i, g);
    } else {
        // A chevron pointing down.
        QPainterPath v;
        v.moveTo(135.5, 9.5);
        v.lineTo(139.5, 13.5);
        v.lineTo(143.5, 9.5);
        p.setPen(QPen(g, kCurve, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(v);
    }
}

// The body of an open list, 141 x 198: a well with a faint band on every other 20 px row.
void paintFileList(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, 141, 198);
    fillBox(p, r, kRadiusSmall, alpha(c.bg0, 235));
    p.save();
    QPainterPath inside;
    inside.addRoundedRect(QRectF(r), kRadiusSmall, kRadiusSmall);
    p.setClipPath(inside);
    for (int y = 20; y < r.height(); y += 40)
        p.fillRect(QRect(1, y, r.width() - 2, 20), QColor(255, 255, 255, 7));
    p.restore();
    strokeBox(p, r, kRadiusSmall, c.line);
}

// A list header, 141 x 21: its title is written above an accent underline.
void paintHeaderLine(QPainter &p, const Palette &c)
{
    p.fillRect(QRect(0, 0, 141, 20), vertical(QRect(0, 0, 141, 20), alpha(c.accent, 0), alpha(c.accent, 18)));
    hline(p, 0, 141, 20, fadeTowards(24, 141, alpha(c.accent, 160)));
    hline(p, 0, 24, 19, c.accent, kEmphasis);
}

// Two-button frame, 160 x 31: a reset button with its label in the left half (button at
// (5, 5)) and an apply button with its label in the right half (button at (85, 5)).
void paintTwoButtonFrame(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, 160, 31);
    fillBox(p, r, kRadiusSmall, vertical(r, alpha(c.bg2, 235), alpha(c.bg1, 235)));
    strokeBox(p, r, kRadiusSmall, c.line);
    vline(p, 80, 6, 25, c.line);
}

// A text input (the R, G, B fields), 36 x 21.
void paintInputValue(QPainter &p, const Palette &c)
{
    const QRect r(0, 0, 36, 21);
    fillBox(p, r, kRadiusSmall, c.bg0);
    strokeBox(p, r, kRadiusSmall, c.lineHi);
    hline(p, kRadiusSmall, r.width() - kRadiusSmall, 1, QColor(0, 0, 0, 90));
}

// The bar above the selected colour swatch, 19 x 3.
void paintPaletteIndex(QPainter &p, const Palette &c)
{
    p.fillRect(QRect(0, 0, 19, 3), c.accent);
    hline(p, 0, 19, 0, c.accentHi);
}

// Colour component of the rainbow strip at `rate` (0..8), the same formula the scene
// uses to read a colour from a press on the strip.
QColor stripColour(qreal rate)
{
    const int level = qFloor(rate);
    const int v = qRound((rate - level) * 255);
    switch (level) {
    case 0: return QColor(v, 0, 0);
    case 1: return QColor(255, v, 0);
    case 2: return QColor(255 - v, 255, 0);
    case 3: return QColor(0, 255, v);
    case 4: return QColor(0, 255 - v, 255);
    case 5: return QColor(v, 0, 255);
    case 6: return QColor(255, v, 255);
    case 7: return QColor(255 - v, 255 - v, 255 - v);
    default: return QColor(0, 0, 0);
    }
}

// The rainbow strip, 16 x 129: row y shows exactly the colour that a press at height y
// picks (rate = y / 128 / 0.125), so the nine stops fall on rows 0, 16, ... 128.
void paintPalette(QPainter &p, const QSize &size)
{
    const int h = size.height();
    for (int y = 0; y < h; ++y)
        p.fillRect(QRect(0, y, size.width(), 1), stripColour(y / qreal(h - 1) / 0.125));
}

// Check box, 15 x 15: an empty well, or an accent box with a dark tick.
void paintCheckbox(QPainter &p, const Palette &c, bool ticked)
{
    const QRect r(0, 0, 15, 15);
    if (ticked) {
        fillBox(p, r, kRadiusSmall, c.accent);
        glyphTick(p, c.bg0, QPointF(3.5, 4), 0.9, kEmphasis);
    } else {
        fillBox(p, r, kRadiusSmall, c.bg0);
        strokeBox(p, r, kRadiusSmall, c.lineHi);
        hline(p, kRadiusSmall, r.width() - kRadiusSmall, 1, QColor(0, 0, 0, 90));
    }
}

// Segmented slider tracks: `count` recessed slots on a pitch, 14 px high.
void paintSliderTrack(QPainter &p, const Palette &c, int count, int pitch)
{
    for (int i = 0; i < count; ++i) {
        const QRect slot(i * pitch + 1, 2, pitch - 2, 10);
        fillBox(p, slot, kRadiusMicro, c.bg0);
        strokeBox(p, slot, kRadiusMicro, c.line);
    }
}

// A lit slider segment laid over one slot. It stretches sideways as a border image
// with 3 px side borders (the four-segment track's slots are 33 px wide).
void paintSliderFiller(QPainter &p, const Palette &c, const QSize &size, bool hot)
{
    const QRect r(QPoint(0, 0), size);
    fillBox(p, r, kRadiusMicro, vertical(r, hot ? QColor(255, 255, 255) : c.accentHi, hot ? c.accentHi : c.accent));
    hline(p, 1, r.width() - 1, r.height() - 1, alpha(c.accentDim, 160));
}

// Segmented button groups: four cells of 45 x 23 in a row, or two rows of four.
void paintButtonGroup(QPainter &p, const Palette &c, int rows)
{
    const QRect r(0, 0, 180, 23 * rows);
    fillBox(p, r, kRadiusSmall, vertical(r, c.bg3, c.bg2));
    strokeBox(p, r, kRadiusSmall, c.lineHi);
    for (int i = 1; i < 4; ++i)
        vline(p, 45 * i - 1, 4, r.height() - 4, c.line);
    for (int j = 1; j < rows; ++j)
        hline(p, 4, r.width() - 4, 23 * j - 1, c.line);
}

// The chosen cell of a group, 45 x 23: filled (first style) or underlined (second style).
void paintGroupFiller(QPainter &p, const Palette &c, bool underline, bool hot)
{
    const QRect r(0, 0, 45, 23);
    if (underline) {
        fillBox(p, r, kRadiusSmall, alpha(c.accent, hot ? 46 : 26));
        hline(p, 6, 39, 19, hot ? c.accentHi : c.accent, kEmphasis);
    } else {
        fillBox(p, r, kRadiusSmall, alpha(c.accent, hot ? 90 : 60));
        strokeBox(p, r, kRadiusSmall, hot ? c.accentHi : c.accent);
    }
}

// ---------------------------------------------------------------------------------
// Key caps
// ---------------------------------------------------------------------------------

// A key cap filling its cell but for a 1 px gap: a dark body whose top face is lighter,
// with 2 px of wall at the back and 3 px at the sides and the front, so that the label,
// centred on the picture, sits in the middle of the face.
void paintKeyCap(QPainter &p, const Palette &c, const QSize &cell)
{
    const QRect body(1, 1, cell.width() - 2, cell.height() - 2);
    fillBox(p, body, kRadiusSmall, vertical(body, c.capSide.lighter(108), c.capSide.darker(115)));
    strokeBox(p, body, kRadiusSmall, c.capEdge);
    const QRect face(4, 3, cell.width() - 8, cell.height() - 7);
    fillBox(p, face, kRadiusSmall, vertical(face, c.capFaceHi, c.capFace));
    hline(p, face.left() + kRadiusSmall, face.right() + 1 - kRadiusSmall, face.top(), QColor(255, 255, 255, 22));
}

// The selection frame of a key: a 2 px accent outline on the cap's edge with a faint
// glow in the gap outside it; transparent inside so the cap and its label show.
void paintKeyFrame(QPainter &p, const Palette &c, const QSize &cell)
{
    const QRect outer(0, 0, cell.width(), cell.height());
    strokeBox(p, outer, kRadiusSmall + 1, alpha(c.accent, 70));
    strokeBox(p, outer.adjusted(1, 1, -1, -1), kRadiusSmall, c.accent, kEmphasis);
    strokeBox(p, outer.adjusted(3, 3, -3, -3), kRadiusSmall - 2, alpha(c.accentHi, 60));
}

// A neutral stand-in for the pictures of a mouse model this keyboard does not use.
void paintMousePlaceholder(QPainter &p, const Palette &c)
{
    const QRect r(8, 4, 32, 48);
    fillBox(p, r, 16, c.bg3);
    strokeBox(p, r, 16, c.line);
    vline(p, 23, 5, 22, c.line);
    vline(p, 24, 5, 22, c.line);
    hline(p, 9, 39, 22, c.line);
}

// ---------------------------------------------------------------------------------
// The list of pictures
// ---------------------------------------------------------------------------------

using PaintFn = std::function<void(QPainter &, const Palette &)>;

struct Picture {
    QString path; // inside the skin folder
    QSize size;
    QString role;
    PaintFn paint;
};

std::vector<Picture> pictures()
{
    std::vector<Picture> list;
    auto add = [&list](const QString &path, QSize size, const QString &role, PaintFn paint) {
        list.push_back({path, size, role, std::move(paint)});
    };
    auto pair = [&add](const QString &stem, QSize size, const QString &role,
                       const std::function<void(QPainter &, const Palette &, bool)> &paint) {
        add(stem + QStringLiteral("_0.png"), size, role + QStringLiteral(" (normal)"),
            [paint](QPainter &p, const Palette &c) { paint(p, c, false); });
        add(stem + QStringLiteral("_1.png"), size, role + QStringLiteral(" (hovered, pressed or current)"),
            [paint](QPainter &p, const Palette &c) { paint(p, c, true); });
    };
    const QSize window(kWindowW, kWindowH);

    // Frame
    add("background.png", window, "window backdrop, rounded 10 px, under the custom background's place",
        [](QPainter &p, const Palette &c) { paintBackground(p, c); });
    add("frame/frameBackground.png", window, "frame above the backdrop: window outline, accent line under the logo",
        [](QPainter &p, const Palette &c) { paintFrameBackground(p, c); });
    add("frame/decoration1.png", QSize(144, 20), "decoration layer, centred on (78, 93)",
        [](QPainter &p, const Palette &c) { paintDecoration(p, c, false); });
    add("frame/decoration2.png", QSize(144, 20), "decoration layer, centred on (923, 93)",
        [](QPainter &p, const Palette &c) { paintDecoration(p, c, true); });
    add("frame/web_0.png", QSize(160, 32), "logo, horizontally centred at y 4",
        [](QPainter &p, const Palette &c) { paintLogo(p, c, false); });
    add("frame/web_1.png", QSize(160, 32), "logo under the pointer",
        [](QPainter &p, const Palette &c) { paintLogo(p, c, true); });

    // Top bar, bottom bar, profile menu, function menu
    add("list_up/listUpContainer.png", QSize(984, 19), "top bar container (the bar item is 1000 x 35)",
        [](QPainter &p, const Palette &c) { paintListUp(p, c); });
    pair("list_up/applicationSetting", QSize(25, 25), "global settings button, top bar left",
         [](QPainter &p, const Palette &c, bool hot) { paintTopButton(p, c, TopGlyph::Settings, hot); });
    pair("list_up/applicationMinimize", QSize(25, 25), "minimise button, top bar right (margin 35)",
         [](QPainter &p, const Palette &c, bool hot) { paintTopButton(p, c, TopGlyph::Minimise, hot); });
    pair("list_up/applicationClose", QSize(25, 25), "close button, top bar right (margin 5)",
         [](QPainter &p, const Palette &c, bool hot) { paintTopButton(p, c, TopGlyph::Close, hot); });
    add("list_dn/listDnContainer.png", QSize(982, 47), "bottom bar container (the bar item is 1000 x 65)",
        [](QPainter &p, const Palette &c) { paintListDn(p, c); });
    add("list_pf/listPfContainer.png", QSize(80, 365), "profile menu container; rows from (23, 97)",
        [](QPainter &p, const Palette &c) { paintListPf(p, c); });
    pair("list_pf/profileFW", QSize(49, 26), "profile row",
         [](QPainter &p, const Palette &c, bool hot) { paintProfileRow(p, c, hot); });
    pair("list_fn/listFnBtn", QSize(150, 37), "function menu button",
         [](QPainter &p, const Palette &c, bool hot) { paintFnButton(p, c, hot); });
    pair("list_fn/fnKeydefine", QSize(21, 21), "function menu icon KEY (_1: current entry)",
         [](QPainter &p, const Palette &c, bool on) { paintFnIcon(p, c, FnGlyph::Keydefine, on); });
    pair("list_fn/fnMacro", QSize(21, 21), "function menu icon MACRO (_1: current entry)",
         [](QPainter &p, const Palette &c, bool on) { paintFnIcon(p, c, FnGlyph::Macro, on); });
    pair("list_fn/fnColor", QSize(21, 21), "function menu icon COLOR and BACKLIGHTING (_1: current entry)",
         [](QPainter &p, const Palette &c, bool on) { paintFnIcon(p, c, FnGlyph::Color, on); });

    // Page backgrounds
    add("list_center/fnKeydefineBackground.png", QSize(kPageW, kPageH), "key assignment page background",
        [](QPainter &p, const Palette &c) { paintKeyboardPage(p, c); });
    add("list_center/fnColorBackground.png", QSize(kPageW, kPageH), "colour page background",
        [](QPainter &p, const Palette &c) { paintKeyboardPage(p, c); });
    add("list_center/fnMacroBackground.png", QSize(kPageW, kPageLowH), "macro page background",
        [](QPainter &p, const Palette &c) { paintMacroPage(p, c); });
    add("list_center/fnCommonBackground.png", QSize(kPageW, kPageLowH), "backlighting page background",
        [](QPainter &p, const Palette &c) { paintCommonPage(p, c); });
    add("list_center/globalsettingBackground.png", QSize(340, 420), "global settings panel background",
        [](QPainter &p, const Palette &c) { paintGlobalSettings(p, c); });

    // Common widgets
    add("common/btnFrame.png", QSize(151, 23), "closed drop-down field",
        [](QPainter &p, const Palette &c) { paintFieldFrame(p, c, false); });
    add("common/btnFileListFrame.png", QSize(151, 23), "closed file list field",
        [](QPainter &p, const Palette &c) { paintFieldFrame(p, c, true); });
    add("common/filelist_BASE.png", QSize(141, 198), "open list body (macro lists, drop-down lists)",
        [](QPainter &p, const Palette &c) { paintFileList(p, c); });
    add("common/draw_line.png", QSize(141, 21), "list header with accent underline",
        [](QPainter &p, const Palette &c) { paintHeaderLine(p, c); });
    add("common/fram_2btn.png", QSize(160, 31), "frame of a page's reset and apply pair",
        [](QPainter &p, const Palette &c) { paintTwoButtonFrame(p, c); });
    add("common/draw_inputValue.png", QSize(36, 21), "number field (R, G, B)",
        [](QPainter &p, const Palette &c) { paintInputValue(p, c); });
    add("common/draw_paletteIndex.png", QSize(19, 3), "bar above the selected colour swatch",
        [](QPainter &p, const Palette &c) { paintPaletteIndex(p, c); });
    add("common/draw_palette.png", QSize(16, 129), "rainbow strip (vertical; rotate for a horizontal strip)",
        [](QPainter &p, const Palette &) { paintPalette(p, QSize(16, 129)); });
    add("common/checkbox_0.png", QSize(15, 15), "check box, not selected",
        [](QPainter &p, const Palette &c) { paintCheckbox(p, c, false); });
    add("common/checkbox_1.png", QSize(15, 15), "check box, selected",
        [](QPainter &p, const Palette &c) { paintCheckbox(p, c, true); });
    add("common/slider_BASE.png", QSize(140, 14), "slider track, 7 slots on a 20 px pitch",
        [](QPainter &p, const Palette &c) { paintSliderTrack(p, c, 7, 20); });
    add("common/slider_LgSp.png", QSize(140, 14), "slider track, 4 slots on a 35 px pitch (light, speed)",
        [](QPainter &p, const Palette &c) { paintSliderTrack(p, c, 4, 35); });
    pair("common/slider_FILLER", QSize(18, 10), "lit slider segment, laid on a slot at (pitch x i + 1, 2)",
         [](QPainter &p, const Palette &c, bool hot) { paintSliderFiller(p, c, QSize(18, 10), hot); });
    add("common/slider_11_BASE.png", QSize(143, 14), "slider track, 11 slots on a 13 px pitch",
        [](QPainter &p, const Palette &c) { paintSliderTrack(p, c, 11, 13); });
    pair("common/slider_11_FILLER", QSize(11, 10), "lit segment of the 11-slot slider",
         [](QPainter &p, const Palette &c, bool hot) { paintSliderFiller(p, c, QSize(11, 10), hot); });
    add("common/btnGroup_4_BASE.png", QSize(180, 23), "button group of four cells",
        [](QPainter &p, const Palette &c) { paintButtonGroup(p, c, 1); });
    add("common/btnGroup_8_BASE.png", QSize(180, 46), "button group of eight cells (two rows)",
        [](QPainter &p, const Palette &c) { paintButtonGroup(p, c, 2); });
    pair("common/btnGroup_FILLER", QSize(45, 23), "chosen cell of a button group",
         [](QPainter &p, const Palette &c, bool hot) { paintGroupFiller(p, c, false, hot); });
    pair("common/btnGroup2_FILLER", QSize(45, 23), "chosen cell, underlined style",
         [](QPainter &p, const Palette &c, bool hot) { paintGroupFiller(p, c, true, hot); });

    const struct {
        const char *stem;
        Glyph glyph;
        const char *role;
    } buttons[] = {
        {"common/reset", Glyph::Reset, "reset button (bottom bar, pages)"},
        {"common/apply", Glyph::Apply, "apply button (bottom bar, pages, combination confirm)"},
        {"common/add", Glyph::Add, "add button (+ of the macro insert fields)"},
        {"common/delete", Glyph::Delete, "delete button (macro file header)"},
        {"common/record", Glyph::Record, "record button (macro action header)"},
        {"common/stop", Glyph::Stop, "stop button (macro action header)"},
        {"common/solid-delete", Glyph::Trash, "delete step button"},
        {"common/solid-cut", Glyph::Cut, "cut step button"},
        {"common/solid-paste", Glyph::Paste, "paste step button"},
        {"common/solid-copy", Glyph::Copy, "copy step button"},
    };
    for (const auto &b : buttons) {
        const Glyph glyph = b.glyph;
        pair(QString::fromLatin1(b.stem), QSize(21, 21), QString::fromLatin1(b.role),
             [glyph](QPainter &p, const Palette &c, bool hot) { paintButton(p, c, glyph, hot); });
    }

    // Key caps and their selection frames
    for (const KeyShape &k : kKeyShapes) {
        const QSize cell(k.w, k.h);
        const QString stem = QStringLiteral("model_kb/k%1").arg(k.type);
        add(stem + "-0.png", cell, QStringLiteral("key cap, type %1").arg(k.type),
            [cell](QPainter &p, const Palette &c) { paintKeyCap(p, c, cell); });
        add(stem + "-1.png", cell, QStringLiteral("selection frame, type %1").arg(k.type),
            [cell](QPainter &p, const Palette &c) { paintKeyFrame(p, c, cell); });
    }

    // A mouse model that this keyboard does not use
    add("model_ms/model_T6_Color.png", QSize(48, 56), "placeholder (mouse model not used)",
        [](QPainter &p, const Palette &c) { paintMousePlaceholder(p, c); });
    add("model_ms/model_T6_KeyDefine.png", QSize(48, 56), "placeholder (mouse model not used)",
        [](QPainter &p, const Palette &c) { paintMousePlaceholder(p, c); });
    return list;
}

// Paints at 16 bits per channel and reduces to 8 bits with an ordered dither, so that the
// long dark gradients show no bands. Flat colours come out exact: a channel that is a
// whole 8-bit value has no remainder to dither.
QImage render(const Picture &pic, const Palette &c)
{
    QImage deep(pic.size, QImage::Format_RGBA64_Premultiplied);
    deep.fill(Qt::transparent);
    QPainter p(&deep);
    p.setRenderHint(QPainter::Antialiasing);
    pic.paint(p, c);
    p.end();

    static constexpr int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    QImage img(pic.size, QImage::Format_ARGB32);
    for (int y = 0; y < deep.height(); ++y) {
        const QRgba64 *in = reinterpret_cast<const QRgba64 *>(deep.constScanLine(y));
        QRgb *out = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < deep.width(); ++x) {
            const int threshold = bayer[y % 4][x % 4] * 257 / 16; // 0 .. 240 of 257
            auto reduce = [threshold](qint64 v) { return int(qMin<qint64>(255, (v + threshold) / 257)); };
            const qint64 a = in[x].alpha();
            auto straight = [a](qint64 v) { return a == 0 ? 0 : qMin<qint64>(65535, (v * 65535 + a / 2) / a); };
            out[x] = qRgba(reduce(straight(in[x].red())), reduce(straight(in[x].green())),
                           reduce(straight(in[x].blue())), reduce(a));
        }
    }
    return img;
}

bool writePng(const QImage &img, const QString &file)
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QImageWriter writer(file, "png");
    writer.setQuality(0); // smallest file: the strongest compression
    if (!writer.write(img)) {
        std::fprintf(stderr, "skinpainter: cannot write %s: %s\n", qPrintable(file),
                     qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------
// Contact sheet
// ---------------------------------------------------------------------------------

struct Key {
    int x, y, type;
    QString name;
};

// Key entries of the hardware definition: "L/k = x, y, keyType, name, matrix, keyCode".
std::vector<Key> readLayout(const QString &file)
{
    std::vector<Key> keys;
    QSettings ini(file, QSettings::IniFormat);
    const QString group = ini.value("common/kbLayoutType", 0).toString();
    const int total = ini.value(group + "/total_HW", 0).toInt();
    for (int k = 1; k <= total; ++k) {
        const QStringList e = ini.value(group + "/" + QString::number(k)).toStringList();
        if (e.size() >= 4)
            keys.push_back({e[0].trimmed().toInt(), e[1].trimmed().toInt(), e[2].trimmed().toInt(), e[3].trimmed()});
    }
    return keys;
}

// The pictures placed as the scene places them, with the scene's default text colours
// and 11 px labels, to judge them together: the key assignment page, and the macro
// page dimmed under the open global settings panel.
class Mockup
{
public:
    Mockup(const std::vector<Picture> &list, const Palette &c, const std::vector<Key> &layout)
        : c_(c), layout_(layout)
    {
        for (const Picture &pic : list)
            images_.push_back({pic.path, render(pic, c)});
        font_ = QFont(QStringLiteral("Liberation Sans"));
        font_.setPixelSize(11);
        font_.setBold(true);
    }

    QImage keyPage() const
    {
        return window([this](QPainter &p) {
            const QPoint page(171, 96);
            put(p, "list_center/fnKeydefineBackground.png", page);
            put(p, "common/btnFrame.png", page + QPoint(140, 15));
            text(p, QRect(page + QPoint(148, 15), QSize(120, 23)), "KEYBOARD", kEnable, Qt::AlignLeft);
            field(p, QRect(page + QPoint(311, 15), QSize(65, 23)), "A", kHighlight);
            put(p, "common/fram_2btn.png", page + QPoint(420, 11));
            put(p, "common/reset_0.png", page + QPoint(425, 16));
            text(p, QRect(page + QPoint(451, 16), QSize(60, 21)), "RESET", kEnable, Qt::AlignLeft);
            put(p, "common/apply_1.png", page + QPoint(505, 16));
            text(p, QRect(page + QPoint(531, 16), QSize(60, 21)), "APPLY", kHighlight, Qt::AlignLeft);
            keyboard(p, page + QPoint(23, 97));
            put(p, "common/checkbox_1.png", page + QPoint(20, 305));
            text(p, QRect(page + QPoint(40, 305), QSize(200, 15)), "GAMING MODE", kEnable, Qt::AlignLeft);
        }, false);
    }

    QImage macroPage() const
    {
        return window([this](QPainter &p) {
            const QPoint page(171, 96 + 46);
            put(p, "list_center/fnMacroBackground.png", page);
            const QPoint files = page + QPoint(119, 55), actions = page + QPoint(468, 55);
            put(p, "common/draw_line.png", files);
            text(p, QRect(files + QPoint(6, 0), QSize(120, 19)), "MACRO", kHighlight, Qt::AlignLeft);
            put(p, "common/draw_line.png", actions);
            text(p, QRect(actions + QPoint(6, 0), QSize(80, 19)), "ACTION", kHighlight, Qt::AlignLeft);
            put(p, "common/record_0.png", actions + QPoint(141 - 44, -1));
            put(p, "common/stop_1.png", actions + QPoint(141 - 21, -1));
            put(p, "common/filelist_BASE.png", files + QPoint(0, 21));
            put(p, "common/filelist_BASE.png", actions + QPoint(0, 21));
            const char *names[] = {"Macro 1", "Macro 2", "Copy-paste", "Volley"};
            for (int i = 0; i < 4; ++i)
                text(p, QRect(files + QPoint(6, 21 + 20 * i), QSize(130, 20)), names[i], i == 1 ? kHighlight : kEnable,
                     Qt::AlignLeft);
            const char *steps[] = {"LCtrl    [Down]", "C    [Down]", "C      [Up]", "50   [Delay]", "LCtrl      [Up]"};
            for (int i = 0; i < 5; ++i)
                text(p, QRect(actions + QPoint(6, 21 + 20 * i), QSize(130, 20)), steps[i], kEnable, Qt::AlignLeft);
            const char *edit[] = {"common/solid-delete_0.png", "common/solid-cut_0.png", "common/solid-paste_1.png",
                                  "common/solid-copy_0.png"};
            for (int i = 0; i < 4; ++i)
                put(p, edit[i], page + QPoint(446, 77 + 22 * i));
            put(p, "common/btnFrame.png", page + QPoint(290, 183));
            text(p, QRect(page + QPoint(296, 183), QSize(130, 23)), "MOUSE\u3010 LEFT \u3011", kEnable, Qt::AlignLeft);
            field(p, QRect(page + QPoint(290, 205), QSize(151, 23)), "KEY\u3010 PRESS ANY \u3011", kEnable);
            field(p, QRect(page + QPoint(290, 227), QSize(151, 23)), "DELAY\u3010 1000 \u3011ms", kEnable);
            for (int i = 0; i < 3; ++i)
                put(p, i == 1 ? "common/add_1.png" : "common/add_0.png", page + QPoint(446, 184 + 22 * i));
        }, true);
    }

private:
    inline static const QColor kHighlight{0x00, 0xFF, 0xFF}, kEnable{0xAA, 0xAA, 0xAA};

    const QImage &image(const QString &path) const
    {
        for (const auto &[name, img] : images_)
            if (name == path)
                return img;
        static const QImage none;
        return none;
    }

    void put(QPainter &p, const QString &path, const QPoint &at) const { p.drawImage(at, image(path)); }

    void text(QPainter &p, const QRect &r, const QString &s, const QColor &colour, Qt::Alignment h) const
    {
        p.setFont(font_);
        p.setPen(colour);
        p.drawText(r, h | Qt::AlignVCenter, s);
    }

    // The scene's own black input fields with a 1 px border.
    void field(QPainter &p, const QRect &r, const QString &s, const QColor &colour) const
    {
        p.fillRect(r, Qt::black);
        p.fillRect(r.adjusted(0, 0, 0, -(r.height() - 1)), kEnable);
        p.fillRect(r.adjusted(0, r.height() - 1, 0, 0), kEnable);
        p.fillRect(r.adjusted(0, 0, -(r.width() - 1), 0), kEnable);
        p.fillRect(r.adjusted(r.width() - 1, 0, 0, 0), kEnable);
        text(p, r, s, colour, Qt::AlignHCenter);
    }

    void keyboard(QPainter &p, const QPoint &at) const
    {
        int n = 0;
        for (const Key &k : layout_) {
            const QString stem = QStringLiteral("model_kb/k%1").arg(k.type);
            const QImage &cap = image(stem + "-0.png");
            if (cap.isNull())
                continue;
            const QPoint kp = at + QPoint(k.x, k.y);
            p.drawImage(kp, cap);
            const bool selected = n == 52, changed = n == 20 || n == 75;
            text(p, QRect(kp, cap.size()), k.name, selected || changed ? kHighlight : kEnable, Qt::AlignHCenter);
            if (selected || changed) {
                p.setOpacity(selected ? 1.0 : 0.5);
                p.drawImage(kp, image(stem + "-1.png"));
                p.setOpacity(1.0);
            }
            ++n;
        }
    }

    QImage window(const std::function<void(QPainter &)> &pageContent, bool settingsOpen) const
    {
        QImage img(kWindowW, kWindowH, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::TextAntialiasing);
        put(p, "background.png", QPoint(0, 0));
        put(p, "frame/frameBackground.png", QPoint(0, 0));
        const qreal dim = settingsOpen ? 0.2 : 1.0;
        p.setOpacity(dim);
        pageContent(p);
        const char *fnNames[] = {"KEY", "MACRO", "COLOR", "BACKLIGHTING"};
        const char *fnIcons[] = {"fnKeydefine", "fnMacro", "fnColor", "fnColor"};
        const int current = settingsOpen ? 1 : 0;
        for (int i = 0; i < 4; ++i) {
            const QPoint b(8, 180 + 47 * i);
            put(p, i == 2 ? "list_fn/listFnBtn_1.png" : "list_fn/listFnBtn_0.png", b);
            put(p, QStringLiteral("list_fn/%1_%2.png").arg(fnIcons[i]).arg(i == current ? 1 : 0), b + QPoint(10, 8));
            text(p, QRect(b + QPoint(46, 4), QSize(100, 37)), fnNames[i], i == current ? kHighlight : kEnable,
                 Qt::AlignLeft);
        }
        const QPoint pf(1000 - 80 - 8, 95);
        put(p, "list_pf/listPfContainer.png", pf);
        for (int i = 0; i < 5; ++i) {
            const QPoint row = pf + QPoint(23, 97 + 26 * i);
            put(p, i == 0 ? "list_pf/profileFW_1.png" : "list_pf/profileFW_0.png", row);
            text(p, QRect(row, QSize(49, 26)), QStringLiteral("P%1").arg(i + 1, 2, 10, QLatin1Char('0')),
                 i == 0 ? kHighlight : kEnable, Qt::AlignHCenter);
        }
        p.setOpacity(1.0);
        put(p, "frame/decoration1.png", QPoint(78 - 72, 93 - 10));
        put(p, "frame/decoration2.png", QPoint(923 - 72, 93 - 10));
        p.setOpacity(dim);
        const QPoint down(9, 600 - 65 + 9);
        put(p, "list_dn/listDnContainer.png", down);
        put(p, "common/reset_0.png", down + QPoint(350, 13));
        const int resetLabel = QFontMetrics(font_).horizontalAdvance("ALL RESET");
        text(p, QRect(down + QPoint(376, 13), QSize(resetLabel + 4, 21)), "ALL RESET", kEnable, Qt::AlignLeft);
        const int applyX = 350 + 21 + resetLabel + 35;
        put(p, "common/apply_0.png", down + QPoint(applyX, 13));
        text(p, QRect(down + QPoint(applyX + 26, 13), QSize(80, 21)), "ALL SAVE", kEnable, Qt::AlignLeft);
        p.setOpacity(1.0);
        const QPoint up(8, 8);
        put(p, "list_up/listUpContainer.png", up);
        put(p, settingsOpen ? "list_up/applicationSetting_1.png" : "list_up/applicationSetting_0.png", up + QPoint(5, -3));
        put(p, "list_up/applicationMinimize_0.png", up + QPoint(984 - 35 - 25, -3));
        put(p, "list_up/applicationClose_0.png", up + QPoint(984 - 5 - 25, -3));
        put(p, "frame/web_0.png", QPoint((kWindowW - 160) / 2, 4));
        if (settingsOpen)
            settingsPanel(p, QPoint(5, 27));
        return img;
    }

    void settingsPanel(QPainter &p, const QPoint &at) const
    {
        put(p, "list_center/globalsettingBackground.png", at);
        const char *labels[] = {"SKIN", "SOUND", "ANIMATED", "LANGUAGE", "BACKGROUND"};
        const char *values[] = {"SKIN 1", "ON", "ON", "English", "\u3010 OFF \u3011"};
        for (int i = 0; i < 5; ++i) {
            const QPoint ctl = at + QPoint(139, 22 + 33 * i);
            text(p, QRect(ctl - QPoint(120, 0), QSize(100, 23)), labels[i], kEnable, Qt::AlignRight);
            put(p, "common/btnFrame.png", ctl);
            text(p, QRect(ctl + QPoint(6, 0), QSize(120, 23)), values[i], kHighlight, Qt::AlignLeft);
        }
        const QPoint box = at + QPoint(27, 190);
        text(p, QRect(box + QPoint(10, 4), QSize(100, 16)), "TEXT", kHighlight, Qt::AlignLeft);
        text(p, QRect(box + QPoint(10, 28), QSize(70, 15)), "SIZE", kEnable, Qt::AlignLeft);
        put(p, "common/checkbox_1.png", box + QPoint(90, 28));
        text(p, QRect(box + QPoint(110, 28), QSize(60, 15)), "NORMAL", kHighlight, Qt::AlignLeft);
        put(p, "common/checkbox_0.png", box + QPoint(175, 28));
        text(p, QRect(box + QPoint(195, 28), QSize(60, 15)), "LARGER", kEnable, Qt::AlignLeft);
        text(p, QRect(box + QPoint(10, 62), QSize(70, 15)), "COLOR", kEnable, Qt::AlignLeft);
        const QColor swatches[] = {{0, 255, 255}, {255, 200, 150}, {255, 180, 0}, {200, 200, 100},
                                   {200, 170, 255}, {255, 180, 180}, {160, 190, 160}};
        for (int i = 0; i < 7; ++i) {
            const QPoint sw = box + QPoint(90 + 21 * i, 56);
            p.fillRect(QRect(sw, QSize(19, 31)), swatches[i]);
            if (i == 0)
                put(p, "common/draw_paletteIndex.png", sw - QPoint(0, 5));
        }
        p.save();
        p.translate(box + QPoint(90, 110));
        p.rotate(-90);
        p.drawImage(QPoint(-16, 0), image("common/draw_palette.png"));
        p.restore();
        const char *rgb[] = {"R ", "G ", "B "};
        for (int i = 0; i < 3; ++i) {
            const QPoint in = box + QPoint(90 + 50 * i, 118);
            text(p, QRect(in - QPoint(14, 0), QSize(14, 21)), rgb[i], kEnable, Qt::AlignLeft);
            put(p, "common/draw_inputValue.png", in);
            text(p, QRect(in, QSize(36, 21)), "255", kHighlight, Qt::AlignHCenter);
        }
        text(p, QRect(box + QPoint(10, 150), QSize(80, 15)), "BRIGHTNESS", kEnable, Qt::AlignLeft);
        put(p, "common/slider_BASE.png", box + QPoint(100, 150));
        for (int i = 0; i < 5; ++i)
            put(p, "common/slider_FILLER_0.png", box + QPoint(100 + 20 * i + 1, 152));
        const QPoint buttons = at + QPoint(27 + 270, 190 + 176 + 8);
        put(p, "common/reset_0.png", buttons - QPoint(130, 0));
        text(p, QRect(buttons - QPoint(104, 0), QSize(50, 21)), "RESET", kEnable, Qt::AlignLeft);
        put(p, "common/apply_0.png", buttons - QPoint(62, 0));
        text(p, QRect(buttons - QPoint(36, 0), QSize(40, 21)), "APPLY", kEnable, Qt::AlignLeft);
    }

    const Palette &c_;
    const std::vector<Key> &layout_;
    std::vector<std::pair<QString, QImage>> images_;
    QFont font_;
};

void checkerboard(QPainter &p, const QRect &r)
{
    p.save();
    p.setClipRect(r);
    p.fillRect(r, QColor(0x30, 0x30, 0x30));
    for (int y = r.top(); y <= r.bottom(); y += 8)
        for (int x = r.left() + ((y - r.top()) / 8 % 2) * 8; x <= r.right(); x += 16)
            p.fillRect(QRect(x, y, 8, 8), QColor(0x46, 0x46, 0x46));
    p.restore();
}

// Both skins side by side: the two window mock-ups, then every picture on a
// checkerboard with its name and size; pictures up to 40 px are shown once more at 3x,
// pixel for pixel.
QImage contactSheet(const std::vector<Picture> &list, const std::vector<Key> &layout)
{
    constexpr int margin = 16, gap = 14, labelH = 16, zoom = 3, zoomLimit = 40, columnW = 1040;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const QFontMetrics fm(font);
    auto label = [](const Picture &pic) {
        return QStringLiteral("%1  %2x%3").arg(pic.path).arg(pic.size.width()).arg(pic.size.height());
    };

    // Shelf layout of the tiles, the same for both columns.
    const int mockupsTop = margin + 30, mockupH = labelH + 2 + kWindowH;
    std::vector<QRect> boxes;
    int x = margin, y = mockupsTop + 2 * (mockupH + gap), rowH = 0;
    for (const Picture &pic : list) {
        int w = pic.size.width(), h = pic.size.height();
        if (qMax(w, h) <= zoomLimit) {
            w += 6 + w * zoom;
            h *= zoom;
        }
        const QSize extent(qMax(w, fm.horizontalAdvance(label(pic))), h + labelH + 2);
        if (x + extent.width() > columnW - margin && x > margin) {
            x = margin;
            y += rowH + gap;
            rowH = 0;
        }
        boxes.push_back(QRect(QPoint(x, y), extent));
        x += extent.width() + gap;
        rowH = qMax(rowH, extent.height());
    }
    const int height = y + rowH + margin;

    QImage sheet(columnW * 2, height, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x20, 0x20, 0x20));
    QPainter p(&sheet);
    for (int s = 0; s < 2; ++s) {
        const Palette &c = *kSkins[s];
        const QPoint origin(s * columnW, 0);
        QFont title = font;
        title.setPixelSize(16);
        title.setBold(true);
        p.setFont(title);
        p.setPen(QColor(0xF0, 0xF0, 0xF0));
        p.drawText(origin + QPoint(margin, margin + 14), QStringLiteral("skin %1 - %2").arg(c.skin).arg(c.name));
        p.setFont(font);
        p.setPen(QColor(0xD0, 0xD0, 0xD0));

        const Mockup mock(list, c, layout);
        const QImage windows[] = {mock.keyPage(), mock.macroPage()};
        const char *captions[] = {"as placed: key assignment page", "as placed: macro page under the global settings panel"};
        for (int i = 0; i < 2; ++i) {
            const QPoint at = origin + QPoint(margin, mockupsTop + i * (mockupH + gap));
            p.drawText(at + QPoint(0, 12), QString::fromLatin1(captions[i]));
            checkerboard(p, QRect(at + QPoint(0, labelH + 2), QSize(kWindowW, kWindowH)));
            p.drawImage(at + QPoint(0, labelH + 2), windows[i]);
        }

        for (size_t i = 0; i < list.size(); ++i) {
            const Picture &pic = list[i];
            const QRect box = boxes[i].translated(origin);
            const QImage img = render(pic, c);
            p.drawText(box.topLeft() + QPoint(0, 12), label(pic));
            const QPoint at = box.topLeft() + QPoint(0, labelH + 2);
            checkerboard(p, QRect(at, pic.size));
            p.drawImage(at, img);
            if (qMax(pic.size.width(), pic.size.height()) <= zoomLimit) {
                const QPoint zat = at + QPoint(pic.size.width() + 6, 0);
                checkerboard(p, QRect(zat, pic.size * zoom));
                p.drawImage(zat, img.scaled(pic.size * zoom, Qt::IgnoreAspectRatio, Qt::FastTransformation));
            }
        }
    }
    p.end();
    return sheet;
}

} // namespace

int main(int argc, char *argv[])
{
    // Painting needs no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCommandLineParser cli;
    cli.setApplicationDescription(QStringLiteral("Paints the scene's skin pictures."));
    cli.addHelpOption();
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("Write DIR/skin1 and DIR/skin2."),
                                 QStringLiteral("DIR"));
    const QCommandLineOption sheet(QStringLiteral("sheet"), QStringLiteral("Write a contact sheet of both skins."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption layout(QStringLiteral("layout"),
                                    QStringLiteral("Hardware definition whose keyboard the sheet assembles."),
                                    QStringLiteral("HWDef.bin"));
    const QCommandLineOption list(QStringLiteral("list"), QStringLiteral("Print path, size and role of each picture."));
    cli.addOptions({out, sheet, layout, list});
    cli.process(app);
    if (!cli.isSet(out) && !cli.isSet(sheet) && !cli.isSet(list))
        cli.showHelp(2);

    const std::vector<Picture> all = pictures();
    if (cli.isSet(list)) {
        QTextStream o(stdout);
        o << "| Path | Size | What it is |\n|---|---|---|\n";
        for (const Picture &pic : all)
            o << "| `" << pic.path << "` | " << pic.size.width() << " x " << pic.size.height() << " | " << pic.role
              << " |\n";
    }
    if (cli.isSet(out)) {
        const QDir root(cli.value(out));
        int written = 0;
        for (const Palette *c : kSkins)
            for (const Picture &pic : all) {
                if (!writePng(render(pic, *c), root.filePath(QStringLiteral("skin%1/").arg(c->skin) + pic.path)))
                    return 1;
                ++written;
            }
        std::printf("skinpainter: %d pictures written under %s\n", written, qPrintable(root.absolutePath()));
    }
    if (cli.isSet(sheet)) {
        const std::vector<Key> keys = cli.isSet(layout) ? readLayout(cli.value(layout)) : std::vector<Key>{};
        if (!writePng(contactSheet(all, keys), cli.value(sheet)))
            return 1;
    }
    return 0;
}
