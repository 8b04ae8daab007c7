// Drawing the application icon pixel-aligned, so that it stays sharp at 16 pixels too.
#include "app/gui/AppIcon.h"

#include <algorithm>
#include <cmath>

#include <wx/image.h>

namespace zintor {
namespace {

// Blends colour c with alpha a over the pixel at x, y of a premultiplied-free RGBA image.
void Blend(wxImage& image, int x, int y, const wxColour& c, double a) {
    if (x < 0 || y < 0 || x >= image.GetWidth() || y >= image.GetHeight() || a <= 0) return;
    a = std::min(a, 1.0);
    double below = image.GetAlpha(x, y) / 255.0;
    double out = a + below * (1 - a);
    auto mix = [&](unsigned char top, unsigned char bottom) {
        return static_cast<unsigned char>(std::lround((top * a + bottom * below * (1 - a)) / out));
    };
    image.SetRGB(x, y, mix(c.Red(), image.GetRed(x, y)), mix(c.Green(), image.GetGreen(x, y)),
                 mix(c.Blue(), image.GetBlue(x, y)));
    image.SetAlpha(x, y, static_cast<unsigned char>(std::lround(out * 255)));
}

// How much of pixel x, y lies inside a rounded rectangle, sampled 4 x 4 times.
double Coverage(int x, int y, double left, double top, double right, double bottom, double radius) {
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            double px = x + (sx + 0.5) / 4, py = y + (sy + 0.5) / 4;
            if (px < left || px > right || py < top || py > bottom) continue;
            double cx = std::clamp(px, left + radius, right - radius);
            double cy = std::clamp(py, top + radius, bottom - radius);
            if ((px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius) ++inside;
        }
    }
    return inside / 16.0;
}

void FillRect(wxImage& image, int left, int top, int right, int bottom, const wxColour& c) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) Blend(image, x, y, c, 1.0);
    }
}

}  // namespace

wxImage AppIconImage(int size) {
    wxImage image(size, size);
    image.InitAlpha();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            image.SetRGB(x, y, 0, 0, 0);
            image.SetAlpha(x, y, 0);
        }
    }
    // The tile: a vertical gradient from light to deep blue, with rounded corners.
    const double inset = size >= 32 ? size / 32.0 : 0;
    const double radius = size / 6.0;
    for (int y = 0; y < size; ++y) {
        double t = static_cast<double>(y) / std::max(1, size - 1);
        wxColour c(static_cast<unsigned char>(46 + (16 - 46) * t),
                   static_cast<unsigned char>(124 + (78 - 124) * t),
                   static_cast<unsigned char>(214 + (158 - 214) * t));
        for (int x = 0; x < size; ++x) {
            Blend(image, x, y, c, Coverage(x, y, inset, inset, size - inset, size - inset, radius));
        }
    }
    // Four bars on a base line, their edges on whole pixels.
    const int unit = std::max(1, size / 16);
    const int margin = 3 * unit;
    const int baseline = size - margin;
    const int span = size - 2 * margin;
    const int barWidth = std::max(1, (span - 3 * unit) / 4);
    const int gap = (span - 4 * barWidth) / 3;
    const double heights[4] = {0.35, 0.6, 0.45, 0.85};
    const wxColour bar(255, 255, 255);
    const wxColour top(120, 230, 120);
    for (int i = 0; i < 4; ++i) {
        int left = margin + i * (barWidth + gap);
        int height =
            std::max(2 * unit, static_cast<int>(std::lround(heights[i] * (baseline - margin))));
        FillRect(image, left, baseline - height, left + barWidth, baseline, bar);
        FillRect(image, left, baseline - height, left + barWidth, baseline - height + unit, top);
    }
    FillRect(image, margin - unit, baseline, size - margin + unit, baseline + unit,
             wxColour(220, 236, 255));
    return image;
}

wxBitmap AppIconBitmap(int size) { return wxBitmap(AppIconImage(size)); }

const wxIconBundle& AppIcons() {
    static wxIconBundle bundle = [] {
        wxIconBundle icons;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) {
            wxIcon icon;
            icon.CopyFromBitmap(AppIconBitmap(size));
            icons.AddIcon(icon);
        }
        return icons;
    }();
    return bundle;
}

}  // namespace zintor
