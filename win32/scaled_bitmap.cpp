#include "win32/scaled_bitmap.h"

#include "win32/handles.h"
#include "win32/pixel_resample.h"

namespace vantrel {
namespace {

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool ReadPixels(HBITMAP bitmap, PixelImage& image) {
    // Allocated before the DC is taken, so that nothing can throw while it is held.
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    BITMAPINFO info = TopDown32(image.width, image.height);
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(image.height),
                               image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == image.height;
}

// A DIB section of the image: 32 bits when the source had an alpha channel, else 24 (a
// 32-bit bitmap whose alpha is all zero would show as transparent in some places).
HBITMAP MakeBitmap(const PixelImage& image, bool with_alpha) {
    BITMAPINFO info = TopDown32(image.width, image.height);
    info.bmiHeader.biBitCount = with_alpha ? 32 : 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr || bits == nullptr) {
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
        return nullptr;
    }
    const size_t bytes_per_pixel = with_alpha ? 4 : 3;
    const size_t stride = (image.width * bytes_per_pixel + 3) & ~size_t{3};
    auto* rows = static_cast<BYTE*>(bits);
    for (int y = 0; y < image.height; ++y) {
        BYTE* out = rows + y * stride;
        for (int x = 0; x < image.width; ++x) {
            const uint32_t pixel = image.pixels[static_cast<size_t>(y) * image.width + x];
            for (size_t channel = 0; channel < bytes_per_pixel; ++channel) {
                *out++ = static_cast<BYTE>(pixel >> (8 * channel));
            }
        }
    }
    return bitmap;
}

}  // namespace

HBITMAP LoadBitmapScaled(HINSTANCE instance, int id, int count, int cell_width, int cell_height) {
    BitmapHandle loaded(static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP header{};
    if (!loaded || count <= 0 || GetObjectW(loaded.get(), sizeof(header), &header) == 0) {
        return nullptr;
    }
    if (header.bmWidth == cell_width * count && header.bmHeight == cell_height) {
        return loaded.release();
    }
    PixelImage source;
    source.width = header.bmWidth;
    source.height = header.bmHeight;
    if (!ReadPixels(loaded.get(), source)) {
        return nullptr;
    }
    const PixelImage scaled = ResampleStrip(source, count, cell_width, cell_height);
    return scaled.pixels.empty() ? nullptr : MakeBitmap(scaled, header.bmBitsPixel == 32);
}

}  // namespace vantrel
