#pragma once

// Box-filter resampling of an image strip whose transparent parts are painted in a key
// colour (portable: no Windows types, so that the host tests run it). Each destination
// pixel averages the source area it covers, weighted by how much of each source pixel lies
// inside; key pixels take no part in the average, and a destination pixel becomes key
// when key pixels cover half of its area or more. Images side by side in the strip are
// scaled one by one, so that no image bleeds into its neighbour.

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vantrel {

// Pixels as 0xAARRGGBB, rows top to bottom.
struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

inline constexpr uint32_t kMagentaKey = 0x00FF00FF;

namespace resample_detail {

// The weight of source pixel `s` in destination pixel `d` along one axis.
inline double Overlap(int s, int d, double scale) {
    const double begin = std::max(static_cast<double>(s), d * scale);
    const double end = std::min(static_cast<double>(s + 1), (d + 1) * scale);
    return end > begin ? end - begin : 0.0;
}

}  // namespace resample_detail

// `source` holds `count` images of equal width side by side; the result holds them at
// `cell_width` x `cell_height` each.
inline PixelImage ResampleStrip(const PixelImage& source, int count, int cell_width,
                                int cell_height, uint32_t key = kMagentaKey) {
    PixelImage out;
    if (count <= 0 || cell_width <= 0 || cell_height <= 0 || source.width < count ||
        source.height <= 0 ||
        source.pixels.size() < static_cast<size_t>(source.width) * source.height) {
        return out;
    }
    const int source_cell = source.width / count;
    out.width = cell_width * count;
    out.height = cell_height;
    out.pixels.assign(static_cast<size_t>(out.width) * out.height, key);
    const double scale_x = static_cast<double>(source_cell) / cell_width;
    const double scale_y = static_cast<double>(source.height) / cell_height;
    for (int image = 0; image < count; ++image) {
        for (int y = 0; y < cell_height; ++y) {
            const int y0 = static_cast<int>(y * scale_y);
            const int y1 = std::min(source.height, static_cast<int>((y + 1) * scale_y) + 1);
            for (int x = 0; x < cell_width; ++x) {
                const int x0 = static_cast<int>(x * scale_x);
                const int x1 = std::min(source_cell, static_cast<int>((x + 1) * scale_x) + 1);
                double total = 0;
                double covered = 0;
                double sum[4] = {0, 0, 0, 0};
                for (int sy = y0; sy < y1; ++sy) {
                    const double wy = resample_detail::Overlap(sy, y, scale_y);
                    for (int sx = x0; sx < x1; ++sx) {
                        const double weight = wy * resample_detail::Overlap(sx, x, scale_x);
                        if (weight <= 0) {
                            continue;
                        }
                        total += weight;
                        const uint32_t pixel =
                            source.pixels[static_cast<size_t>(sy) * source.width +
                                          image * source_cell + sx];
                        if ((pixel & 0x00FFFFFF) == (key & 0x00FFFFFF)) {
                            continue;
                        }
                        covered += weight;
                        for (int channel = 0; channel < 4; ++channel) {
                            sum[channel] += weight * ((pixel >> (8 * channel)) & 0xFF);
                        }
                    }
                }
                if (total <= 0 || covered * 2 < total) {
                    continue;  // stays key
                }
                uint32_t value = 0;
                for (int channel = 0; channel < 4; ++channel) {
                    const auto byte = static_cast<uint32_t>(sum[channel] / covered + 0.5);
                    value |= std::min<uint32_t>(byte, 255) << (8 * channel);
                }
                // A colour that averaged out to the key itself would turn transparent.
                if ((value & 0x00FFFFFF) == (key & 0x00FFFFFF)) {
                    value ^= 0x00000100;
                }
                out.pixels[static_cast<size_t>(y) * out.width + image * cell_width + x] = value;
            }
        }
    }
    return out;
}

}  // namespace vantrel
