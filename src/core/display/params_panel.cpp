#include "core/display/params_panel.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/display/text_button.h"
#include "core/host/format_text.h"

namespace mirovale {
namespace {

// Division rounding toward minus infinity, for coordinates left of or above the plot.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int toPixel(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, -1000000, 1000000));
}

// The panel's boxes for one work area and font.
struct PanelBoxes {
    int gx = 0;
    int gy = 0;
    int th = 0;  // text height
    int lh = 0;  // wLineHeight
    InclusiveRect box;
    InclusiveRect frame;
};

PanelBoxes boxesOf(const Canvas& canvas, const WindowLayout& layout) {
    PanelBoxes p;
    const InclusiveRect& area = layout.rcWorkArea;
    p.gx = area.width() / 170;
    p.gy = area.height() / 131;
    p.th = canvas.fontMetrics().height;
    p.lh = layout.wLineHeight;
    const int buttonHeight = 2 * p.lh - 1;
    p.box = {area.left + p.gx, area.top + p.gy, area.right - p.gx,
             area.bottom - 3 * p.gy - buttonHeight};
    p.frame = {p.box.left + p.box.width() / 4, p.box.top + p.box.height() / 8, p.box.right - p.gx,
               p.box.bottom - p.gy};
    return p;
}

// The plot's coordinates: pulse index k and position p, whole or doubled (half steps).
struct PlotMap {
    std::int64_t px, pb, w, h, a, span, kSpan;
    [[nodiscard]] int x(std::int64_t k) const { return toPixel(px + (k - 1) * w / kSpan); }
    [[nodiscard]] int y(std::int64_t p) const { return toPixel(pb - (p - a) * h / span); }
    [[nodiscard]] int xHalf(std::int64_t d) const {
        return toPixel(px + floorDiv((d - 2) * w + kSpan, 2 * kSpan));
    }
    [[nodiscard]] int yHalf(std::int64_t q) const {
        return toPixel(pb - floorDiv((q - 2 * a) * h + span, 2 * span));
    }
};

PlotMap mapOf(const ParamsHeader& r) {
    return {r.rcPlot.left, r.rcPlot.bottom, r.rcPlot.width(), r.rcPlot.height(),
            r.dwA,         static_cast<std::int64_t>(r.dwB) - r.dwA,
            static_cast<std::int64_t>(r.dwMaxPulses) - 1};
}

// A segment cut to the inside of a frame outline (Liang-Barsky); all zero when it misses.
ParamsSegment clipped(ParamsSegment s, const InclusiveRect& f) {
    const double left = f.left + 1, right = f.right - 2, top = f.top + 1, bottom = f.bottom - 2;
    const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    double t0 = 0, t1 = 1;
    const std::array<std::pair<double, double>, 4> edges{{
        {-dx, s.x0 - left}, {dx, right - s.x0}, {-dy, s.y0 - top}, {dy, bottom - s.y0}}};
    for (const auto& [p, q] : edges) {
        if (p == 0) {
            if (q < 0) return {};
            continue;
        }
        const double t = q / p;
        if (p < 0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return {};
    }
    const auto at = [](double from, double d, double t) {
        return static_cast<std::int32_t>(from + d * t + (d * t < 0 ? -0.5 : 0.5));
    };
    return {at(s.x0, dx, t0), at(s.y0, dy, t0), at(s.x0, dx, t1), at(s.y0, dy, t1)};
}

// The nearest half step 2 + 2 num / den of a crossing, or none (2n + 1) for parallel lines.
std::int64_t crossing(std::int64_t num, std::int64_t den, std::int64_t n) {
    if (den <= 0) return 2 * n + 1;
    return 2 + floorDiv(4 * num + den, 2 * den);
}

// The four boundary lines, clipped to the frame: the Tmax line, the Tmin line, and the earliest
// starts counted from the first and from the last pulse.
std::array<ParamsSegment, 4> boundaryLines(const ParamsHeader& r, const InclusiveRect& frame) {
    const PlotMap m = mapOf(r);
    const std::int64_t n = r.dwPulses, a = r.dwA, b = r.dwB, aPlus = r.dwAPlus, bMinus = r.dwBMinus;
    const std::int64_t tmin = r.dwTmin, tmax = r.dwTmax;
    const std::int64_t latest =
        std::max<std::int64_t>(crossing(b - aPlus - (n - 1) * tmin, tmax - tmin, n), 1);
    const std::int64_t earliest = std::clamp<std::int64_t>(
        crossing(a - bMinus + (n - 1) * tmax, tmax - tmin, n), 1, std::max<std::int64_t>(2 * n + 1, 1));
    const auto line = [&](std::int64_t end, auto doubledPosition) {
        return clipped({m.xHalf(1), m.yHalf(doubledPosition(1)), m.xHalf(end),
                        m.yHalf(doubledPosition(end))},
                       frame);
    };
    return {line(latest, [&](std::int64_t d) { return 2 * aPlus + (d - 2) * tmax; }),
            line(latest, [&](std::int64_t d) { return 2 * b - (2 * n - d) * tmin; }),
            line(earliest, [&](std::int64_t d) { return 2 * a + (d - 2) * tmin; }),
            line(earliest, [&](std::int64_t d) { return 2 * bMinus - (2 * n - d) * tmax; })};
}

void drawSegment(Canvas& canvas, const ParamsSegment& s) {
    canvas.moveTo(s.x0, s.y0);
    canvas.lineTo(s.x1, s.y1);
}

void fillBox(Canvas& canvas, const InclusiveRect& r, Colour colour) {
    ScopedPen pen(canvas, Pen{colour});
    ScopedBrush brush(canvas, Brush{colour});
    canvas.rectangle(r.left, r.top, r.right + 1, r.bottom + 1);
}

// Every second pixel of a horizontal line, from x0 to x1.
void drawDotted(Canvas& canvas, const ParamsSegment& s, Colour colour) {
    for (int x = s.x0; x <= s.x1; x += 2) canvas.setPixel(x, s.y0, colour);
}

// A text right-aligned at column x; returns its box.
InclusiveRect textRightAt(Canvas& canvas, int x, int y, const std::string& text, int th) {
    const int width = canvas.textExtent(text).width;
    canvas.textOut(x - width, y, text);
    return {x - width, y, x - 1, y + th - 1};
}

InclusiveRect textBoxRightAt(const Canvas& canvas, int x, int y, const std::string& text, int th) {
    const int width = canvas.textExtent(text).width;
    return {x - width, y, x - 1, y + th - 1};
}

// Where the block of numbers beside the plot lies: from its first line to the end of the
// table, left of the frame.
InclusiveRect numbersBlock(const PanelBoxes& p) {
    const int top = p.box.top + 3 * p.gy;
    return {p.box.left + 1, top, p.frame.left - 1, top + 16 * p.th};
}

// Step 3 of a redraw: the old drawing's parts that changed, painted over in the box colour.
void paintOverChanges(Canvas& canvas, const ParamsHeader& r, const PanelBoxes& p,
                      const std::array<ParamsSegment, 4>& lines) {
    const PlotMap m = mapOf(r);
    const int pb = r.rcPlot.bottom;
    ScopedPen pen(canvas, Pen{kParamsBoxColour});
    if (r.dwPulses != r.dwPrevPulses) {
        drawSegment(canvas, r.topLine);
        drawSegment(canvas, r.lastPulseLine);
        for (std::int64_t k = r.dwPulses + 1; k <= r.dwPrevPulses; ++k) {
            canvas.moveTo(m.x(k), pb);
            canvas.lineTo(m.x(k), pb - 2);
            fillBox(canvas, textBoxRightAt(canvas, m.x(k), pb + 2, formatText("%d", k), p.th),
                    kParamsBoxColour);
        }
    }
    const bool dotsMoved = r.dwPulses != r.dwPrevPulses || r.dwAPlus != r.dwPrevAPlus ||
                           r.dwBMinus != r.dwPrevBMinus;
    if (dotsMoved) {
        drawDotted(canvas, r.aPlusDotted, kParamsBoxColour);
        drawDotted(canvas, r.bMinusDotted, kParamsBoxColour);
    }
    if (r.dwAPlus != r.dwPrevAPlus) fillBox(canvas, r.rcAPlusLabel, kParamsBoxColour);
    if (r.dwBMinus != r.dwPrevBMinus) fillBox(canvas, r.rcBMinusLabel, kParamsBoxColour);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!(lines[i] == r.drawnLines[i])) drawSegment(canvas, r.drawnLines[i]);
    fillBox(canvas, numbersBlock(p), kParamsBoxColour);
}

// Steps 4 to 7: axes, ticks, the top and last-pulse lines, the dotted lines and the labels.
void drawPlot(Canvas& canvas, ParamsHeader& r, const PanelBoxes& p) {
    const PlotMap m = mapOf(r);
    const InclusiveRect& plot = r.rcPlot;
    const int px = plot.left, pb = plot.bottom;
    const int w = plot.width(), h = plot.height();
    canvas.moveTo(px, pb);
    canvas.lineTo(px, pb - h);
    canvas.moveTo(px, pb);
    canvas.lineTo(px + w + p.gx, pb);
    for (std::int64_t k = 1; k <= r.dwPulses; ++k) {
        canvas.moveTo(m.x(k), pb);
        canvas.lineTo(m.x(k), pb - 2);
    }
    const int halfArea = static_cast<int>(w / m.kSpan / 2);
    for (std::int64_t k = r.dwMinPulses; k <= r.dwMaxPulses; ++k) {
        canvas.moveTo(m.x(k), pb);
        canvas.lineTo(m.x(k), pb + 2);
        const auto i = static_cast<std::size_t>(k - r.dwMinPulses);
        if (i < r.pulsesSelectedAreas.size())
            r.pulsesSelectedAreas[i] = {m.x(k) - halfArea, pb - p.th / 2, m.x(k) + halfArea,
                                        pb + p.th / 2};
    }
    const int xn = m.x(r.dwPulses);
    r.topLine = {m.x(1), m.y(r.dwB), xn, m.y(r.dwB)};
    r.lastPulseLine = {xn, m.y(r.dwA), xn, m.y(r.dwB)};
    drawSegment(canvas, r.topLine);
    drawSegment(canvas, r.lastPulseLine);

    const int reach = p.gy / 2 + 1;
    r.aPlusDotted = {px - p.gx / 2, m.y(r.dwAPlus), xn + p.gx, m.y(r.dwAPlus)};
    r.bMinusDotted = {px - p.gx / 2, m.y(r.dwBMinus), xn + p.gx, m.y(r.dwBMinus)};
    for (auto [dots, band] : {std::pair{&r.aPlusDotted, &r.rcAPlusBand},
                              std::pair{&r.bMinusDotted, &r.rcBMinusBand}}) {
        drawDotted(canvas, *dots, kBlack);
        *band = {dots->x0, dots->y0 - reach, dots->x1, dots->y0 + reach};
    }

    ScopedBackgroundMode transparent(canvas, BackgroundMode::Transparent);
    for (std::int64_t k = 1; k <= r.dwPulses; ++k)
        textRightAt(canvas, m.x(k), pb + 2, formatText("%d", k), p.th);
    for (std::int64_t k = r.dwMinPulses; k <= r.dwMaxPulses; ++k)
        textRightAt(canvas, m.x(k), pb + 2 + p.th, formatText("%d", k), p.th);
    const int labelRight = px - p.gx;
    const auto label = [&](std::int32_t v) {
        return textRightAt(canvas, labelRight, m.y(v) - p.th / 2, formatText("%d", v), p.th);
    };
    label(r.dwA);
    r.rcAPlusLabel = label(r.dwAPlus);
    r.rcBMinusLabel = label(r.dwBMinus);
    label(r.dwB);
}

// Steps 9 and 10: the numbers beside the plot.
void drawNumbers(Canvas& canvas, const ParamsHeader& r, const PanelBoxes& p) {
    const int x = p.box.left + p.gx;
    int y = p.box.top + 3 * p.gy;
    const ParamsSegment& t = r.tminLine.line;
    const InclusiveRect& plot = r.rcPlot;
    for (const std::string& line :
         {formatText(" (%d,%d) - (%d,%d) ", t.x0, t.y0, t.x1, t.y1),
          formatText(" h = %d", r.tminLine.dwTolerance),
          formatText(" (%d,%d) - (%d,%d) ", plot.left, plot.top, plot.right, plot.bottom),
          formatText(" w %d, h %d", plot.width(), plot.height())}) {
        canvas.textOut(x, y, line);
        y += p.th;
    }
    y += p.th;
    const int valueX = x + canvas.textExtent(" pulses = ").width;
    const std::int32_t mminNow =
        (r.dwBMinus - r.dwAPlus - 1 + r.dwTmax) / std::max(r.dwTmax, 1) + 1;
    const std::int32_t mmaxNow = r.dwTmin > 0 ? (r.dwB - r.dwA) / r.dwTmin + 1 : r.dwMaxPulses;
    const std::pair<const char*, std::string> rows[] = {
        {" a   = ", formatText("%d     ", r.dwA)},
        {" a+ = ", formatText("%d     ", r.dwAPlus)},
        {" b-  = ", formatText("%d     ", r.dwBMinus)},
        {" b   = ", formatText("%d     ", r.dwB)},
        {"", ""},
        {" Tmin = ", formatText("%d [%d]    ", r.dwTmin, r.dwPrevTmin)},
        {" Tmax = ", formatText("%d     ", r.dwTmax)},
        {" pulses = ", formatText("%d     ", r.dwPulses)},
        {" Mmin = ", formatText("%d [%d]     ", r.dwMinPulses, mminNow)},
        {" Mmax = ", formatText("%d [%d]     ", r.dwMaxPulses, mmaxNow)},
    };
    for (const auto& [name, value] : rows) {
        if (*name != '\0') {
            textRightAt(canvas, valueX, y, name, p.th);
            canvas.textOut(valueX, y, value);
        }
        y += p.th;
    }
}

// Steps 11 and 12: the edit field with its caption, and the buttons.
void drawControls(Host& host, Canvas& canvas, ParamsHeader& r, const PanelBoxes& p) {
    const int x = p.box.left + p.gx;
    const int y = p.box.bottom - 3 * p.gy - p.th;
    canvas.textOut(x, y, " Tmin ");
    const int fieldLeft = x + canvas.textExtent(" Tmin ").width;
    host.showEditField(
        Rect{fieldLeft, y, fieldLeft + canvas.textExtent(" 9999").width, y + p.th + 2});

    const std::array<std::string_view, 2> captions{" Cancel ", " OK "};
    const int average = canvas.fontMetrics().averageCharWidth;
    const int width =
        std::max(canvas.textExtent(captions[0]).width, canvas.textExtent(captions[1]).width) +
        4 * average;
    const int top = p.box.bottom + p.lh / 2;
    int left = p.box.left;
    ScopedBrush brush(canvas, Brush{kParamsPanelColour});
    for (std::size_t i = 0; i < captions.size(); ++i) {
        r.buttonRects[i] = {left, top, left + width, top + 2 * p.lh - 1};
        drawTextButton(canvas, r.buttonRects[i], captions[i], p.lh);
        left += width + 2 * average;
    }
}

void drawBackground(Canvas& canvas, const WindowLayout& layout, const PanelBoxes& p,
                    bool withFrame) {
    const InclusiveRect& area = layout.rcWorkArea;
    // Short of the last column and row, which the work area's repaint does not cover.
    fillBox(canvas, {area.left, area.top, area.right - 1, area.bottom - 1}, kParamsPanelColour);
    ScopedBrush brush(canvas, Brush{kParamsBoxColour});
    canvas.rectangle(p.box.left, p.box.top, p.box.right, p.box.bottom);
    if (withFrame) canvas.rectangle(p.frame.left, p.frame.top, p.frame.right, p.frame.bottom);
}

// Why a record has nothing to plot, as the line the panel shows instead.
std::string nothingToPlot(const ParamsHeader* r) {
    if (r == nullptr) return " No series: nothing to show. ";
    if (r->dwTmin < 1 || r->dwTmax < 1)
        return formatText(" Tmin %d, Tmax %d: nothing to show. ", r->dwTmin, r->dwTmax);
    if (r->dwB <= r->dwA)
        return formatText(" The series of %d samples is no longer than one etalon of %d: "
                          "nothing to show. ",
                          r->dwSeriesSize, r->dwImpulseSize);
    return formatText(" The series holds at most %d pulse(s): nothing to show. ",
                      r->dwMaxPulses);
}

void storePrevious(ParamsHeader& r) {
    rememberDrawnValues(r);
    r.dwRedrawChanged = 0;
}

}  // namespace

void drawParamsPanel(Host& host, Canvas& canvas, const WindowLayout& layout,
                     ParamsHeader* record) {
    const PanelBoxes p = boxesOf(canvas, layout);
    if (p.box.width() < 1 || p.box.height() < 1) {
        // A work area too small for the box: nothing that could reach outside it.
        fillBox(canvas, {layout.rcWorkArea.left, layout.rcWorkArea.top,
                         layout.rcWorkArea.right - 1, layout.rcWorkArea.bottom - 1},
                kParamsPanelColour);
        if (record != nullptr) {  // nothing drawn, nothing to hit
            record->rcAPlusBand = record->rcBMinusBand = {};
            record->tmaxLine = record->tminLine = {};
            record->buttonRects = {};
            std::fill(record->pulsesSelectedAreas.begin(), record->pulsesSelectedAreas.end(),
                      InclusiveRect{});
        }
        return;
    }
    if (record == nullptr || !canPlotParams(*record)) {
        drawBackground(canvas, layout, p, false);
        canvas.textOut(p.box.left + p.gx, p.box.top + 3 * p.gy, nothingToPlot(record));
        if (record == nullptr) return;
        drawControls(host, canvas, *record, p);
        storePrevious(*record);
        return;
    }
    ParamsHeader& r = *record;
    const int bWidth = canvas.textExtent(formatText("%d", r.dwB)).width;
    const InclusiveRect plot{p.frame.left + bWidth + 2 * p.gx, p.frame.top + 5 * p.gy,
                             p.frame.right - 5 * p.gx, p.frame.bottom - 3 * p.th};
    const bool redraw = r.dwRedrawChanged != 0 && r.rcPlot == plot &&
                        r.dwMaxPulses == r.dwPrevMaxPulses && r.dwMinPulses == r.dwPrevMinPulses;
    if (!redraw) drawBackground(canvas, layout, p, true);
    r.rcFrame = p.frame;
    r.rcPlot = plot;
    const std::array<ParamsSegment, 4> lines = boundaryLines(r, p.frame);
    if (redraw) paintOverChanges(canvas, r, p, lines);
    drawPlot(canvas, r, p);
    for (const ParamsSegment& s : lines) drawSegment(canvas, s);
    r.drawnLines = lines;
    const int tolerance = p.gy / 2 + 1;
    r.tmaxLine = {lines[0], tolerance};
    r.tminLine = {lines[1], tolerance};
    drawNumbers(canvas, r, p);
    drawControls(host, canvas, r, p);
    storePrevious(r);
}

}  // namespace mirovale
