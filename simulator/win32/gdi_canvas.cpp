#include "simulator/win32/gdi_canvas.h"

#include "common/names_win32.h"

#include <map>
#include <string>

namespace kolibra {

namespace {

COLORREF to_gdi(Rgba c) { return RGB(c.r, c.g, c.b); }

// The colour an image starts in before it is drawn; whatever still has it
// afterwards was never drawn. No colour of the artwork is this one.
constexpr uint32_t kUntouched = 0x00010203;  // BGRA bytes 03 02 01 00

// GDI draws a rectangle's outline inside its right and bottom edge minus
// one; with a pen of the edge colour and a brush of the fill it matches the
// Qt face's 1-pixel edge inside the box.
class PenAndBrush {
public:
    PenAndBrush(HDC dc, Rgba fill, std::optional<Rgba> edge) : dc_(dc) {
        pen_ = edge ? CreatePen(PS_SOLID, 1, to_gdi(*edge)) : static_cast<HPEN>(GetStockObject(NULL_PEN));
        brush_ = CreateSolidBrush(to_gdi(fill));
        old_pen_ = SelectObject(dc_, pen_);
        old_brush_ = SelectObject(dc_, brush_);
        own_pen_ = edge.has_value();
    }
    ~PenAndBrush() {
        SelectObject(dc_, old_pen_);
        SelectObject(dc_, old_brush_);
        if (own_pen_) DeleteObject(pen_);
        DeleteObject(brush_);
    }
    PenAndBrush(const PenAndBrush&) = delete;
    PenAndBrush& operator=(const PenAndBrush&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_pen_, old_brush_;
    bool own_pen_ = false;
};

HFONT art_font(int pixels, bool bold) {
    return CreateFontW(-(pixels > 0 ? pixels : 1), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, L"DejaVu Sans");
}

GdiImage make_image(PixelSize size) {
    GdiImage image;
    image.size = size;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.w;
    info.bmiHeader.biHeight = -size.h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    image.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    image.pixels = static_cast<uint32_t*>(bits);
    return image;
}

}  // namespace

bool GdiImage::transparent_at(int x, int y) const {
    if (!pixels || x < 0 || y < 0 || x >= size.w || y >= size.h) return true;
    return (pixels[y * size.w + x] >> 24) == 0;
}

namespace {

// Draws the image's description scaled and shifted by the DC's world
// transform, so shapes and text are drawn at the window's size.
GdiImage render_image(int number, const ImagePlacement& placement) {
    GdiImage image = make_image({placement.window.w, placement.window.h});
    if (!image.pixels) return image;  // out of GDI memory: the image stays blank
    const int count = image.size.w * image.size.h;
    for (int p = 0; p < count; ++p) image.pixels[p] = kUntouched;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, image.bitmap);
    SetGraphicsMode(dc, GM_ADVANCED);
    const auto scale = static_cast<FLOAT>(placement.scale);
    const XFORM transform{scale, 0, 0, scale, static_cast<FLOAT>(placement.shift_x),
                          static_cast<FLOAT>(placement.shift_y)};
    SetWorldTransform(dc, &transform);
    {
        GdiCanvas canvas(dc, placement.size);
        draw_artwork_image(terminal_artwork_description(), number, canvas);
    }
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    // GDI leaves the alpha byte alone: set it from what was drawn.
    for (int p = 0; p < count; ++p) {
        uint32_t& px = image.pixels[p];
        px = (px & 0x00FFFFFF) == kUntouched ? 0 : (px | 0xFF000000u);
    }
    return image;
}

RenderedImages<GdiImage>& rendered_images() {
    static RenderedImages<GdiImage> images(render_image);
    return images;
}

}  // namespace

const GdiImage& gdi_terminal_image(int number, const ImagePlacement& placement) {
    return rendered_images().get(number, placement);
}

const GdiImage& gdi_terminal_image(int number) { return gdi_terminal_image(number, place_image(number, 0, 0, {})); }

HRGN terminal_outline_region(const TerminalZoom& zoom) {
    const GdiImage& picture = gdi_terminal_image(500, place_image(500, 0, 0, zoom));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < picture.size.h; ++y) {
        int x = 0;
        while (x < picture.size.w) {
            while (x < picture.size.w && picture.transparent_at(x, y)) ++x;
            const int start = x;
            while (x < picture.size.w && !picture.transparent_at(x, y)) ++x;
            if (x > start) {
                HRGN run = CreateRectRgn(start, y, x, y + 1);
                CombineRgn(region, region, run, RGN_OR);
                DeleteObject(run);
            }
        }
    }
    return region;
}

HFONT lcd_gdi_font(int zoom_percent) {
    static std::map<int, HFONT> fonts;
    if (const auto it = fonts.find(zoom_percent); it != fonts.end()) return it->second;
    const TerminalZoom zoom{zoom_percent};
    const int column = zoom.to_window(5);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT chosen = nullptr;
    // lfWidth 0 lets the face choose; narrower widths squeeze it.
    for (int width : {0, column, column - 1, column - 2}) {
        HFONT f = CreateFontW(-zoom.to_window(9), width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              FIXED_PITCH | FF_MODERN, L"DejaVu Sans Mono");
        HGDIOBJ old = SelectObject(dc, f);
        SIZE extent{};
        GetTextExtentPoint32W(dc, L"M", 1, &extent);
        SelectObject(dc, old);
        if (chosen) DeleteObject(chosen);
        chosen = f;
        if (extent.cx <= column) break;
    }
    DeleteDC(dc);
    fonts[zoom_percent] = chosen;
    return chosen;
}

GdiCanvas::GdiCanvas(HDC dc, PixelSize size, TerminalZoom zoom) : dc_(dc), size_(size), zoom_(zoom) {
    saved_ = SaveDC(dc_);
    SetBkMode(dc_, TRANSPARENT);
}

GdiCanvas::~GdiCanvas() { RestoreDC(dc_, saved_); }

void GdiCanvas::fill(Rgba colour) {
    HBRUSH brush = CreateSolidBrush(to_gdi(colour));
    RECT all{0, 0, size_.w, size_.h};
    FillRect(dc_, &all, brush);
    DeleteObject(brush);
}

void GdiCanvas::rect(PixelRect b, Rgba fill, std::optional<Rgba> edge) {
    if (!edge) {
        HBRUSH brush = CreateSolidBrush(to_gdi(fill));
        RECT r{b.x, b.y, b.x + b.w, b.y + b.h};
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
        return;
    }
    PenAndBrush tools(dc_, fill, edge);
    Rectangle(dc_, b.x, b.y, b.x + b.w, b.y + b.h);
}

void GdiCanvas::round_rect(PixelRect b, int radius, Rgba fill, std::optional<Rgba> edge) {
    PenAndBrush tools(dc_, fill, edge);
    // Without a pen GDI leaves the right and bottom pixel out: one more
    // keeps the filled shape the box's size.
    const int extra = edge ? 0 : 1;
    RoundRect(dc_, b.x, b.y, b.x + b.w + extra, b.y + b.h + extra, 2 * radius, 2 * radius);
}

void GdiCanvas::line(int x1, int y1, int x2, int y2, Rgba colour, int width) {
    LOGBRUSH brush{BS_SOLID, to_gdi(colour), 0};
    HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, width > 0 ? width : 1, &brush, 0, nullptr);
    HGDIOBJ old = SelectObject(dc_, pen);
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
    // LineTo leaves the last pixel out; the Qt face draws it. (A rectangle,
    // not SetPixel: at a zoom the pixel is a block of window pixels.)
    HBRUSH end = CreateSolidBrush(to_gdi(colour));
    const RECT last{x2, y2, x2 + 1, y2 + 1};
    FillRect(dc_, &last, end);
    DeleteObject(end);
    SelectObject(dc_, old);
    DeleteObject(pen);
}

void GdiCanvas::text(PixelRect b, int pixels, Rgba colour, std::string_view text, bool bold) {
    HFONT font = art_font(pixels, bold);
    HGDIOBJ old = SelectObject(dc_, font);
    SetTextColor(dc_, to_gdi(colour));
    const std::wstring wide = widen_utf8(std::string(text));
    RECT r{b.x, b.y, b.x + b.w, b.y + b.h};
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(dc_, old);
    DeleteObject(font);
}

void GdiCanvas::image(int number, int x, int y) {
    if (number < kFirstImage || number >= kFirstImage + kImageCount) return;
    const ImagePlacement placement = place_image(number, x, y, zoom_);
    const GdiImage& picture = gdi_terminal_image(number, placement);
    if (!picture.bitmap) return;
    HDC source = CreateCompatibleDC(dc_);
    HGDIOBJ old = SelectObject(source, picture.bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc_, placement.window.x, placement.window.y, picture.size.w, picture.size.h, source, 0,
                  0, picture.size.w, picture.size.h, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

void GdiCanvas::clip(PixelRect box) {
    const PixelRect b = zoom_.to_window(box);
    HRGN region = CreateRectRgn(b.x, b.y, b.x + b.w, b.y + b.h);
    SelectClipRgn(dc_, region);
    DeleteObject(region);
}

void GdiCanvas::lcd_glyph(int x, int baseline_y, char c, Rgba colour) {
    HGDIOBJ old = SelectObject(dc_, lcd_gdi_font(zoom_.percent));
    SetTextColor(dc_, to_gdi(colour));
    const UINT align = SetTextAlign(dc_, TA_LEFT | TA_BASELINE);
    // The terminal's character set is single-byte, shown as Latin-1.
    const wchar_t glyph = static_cast<wchar_t>(static_cast<unsigned char>(c));
    TextOutW(dc_, zoom_.to_window(x), zoom_.to_window(baseline_y), &glyph, 1);
    SetTextAlign(dc_, align);
    SelectObject(dc_, old);
}

}  // namespace kolibra
