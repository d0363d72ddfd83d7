#include "indexed_image.h"

#include <algorithm>
#include <array>

namespace {

struct Box {
    std::size_t begin;
    std::size_t end;  // one past the last colour of the box
};

using Colour = std::array<uint8_t, 3>;

int ChannelSpread(const std::vector<Colour>& colours, const Box& box, int channel) {
    int lo = 255, hi = 0;
    for (std::size_t i = box.begin; i < box.end; ++i) {
        lo = std::min<int>(lo, colours[i][channel]);
        hi = std::max<int>(hi, colours[i][channel]);
    }
    return hi - lo;
}

int WidestChannel(const std::vector<Colour>& colours, const Box& box, int* spread) {
    int best = 0;
    *spread = -1;
    for (int c = 0; c < 3; ++c) {
        const int s = ChannelSpread(colours, box, c);
        if (s > *spread) {
            *spread = s;
            best = c;
        }
    }
    return best;
}

// Splits the box with the widest channel spread at its median; the full sort key makes
// the split independent of the sort algorithm.
bool SplitWidestBox(std::vector<Colour>& colours, std::vector<Box>& boxes) {
    int bestBox = -1, bestSpread = 0, bestChannel = 0;
    for (std::size_t b = 0; b < boxes.size(); ++b) {
        if (boxes[b].end - boxes[b].begin < 2) {
            continue;
        }
        int spread = 0;
        const int channel = WidestChannel(colours, boxes[b], &spread);
        if (spread > bestSpread) {
            bestSpread = spread;
            bestBox = static_cast<int>(b);
            bestChannel = channel;
        }
    }
    if (bestBox < 0) {
        return false;
    }
    Box& box = boxes[static_cast<std::size_t>(bestBox)];
    const int c = bestChannel;
    std::sort(colours.begin() + static_cast<std::ptrdiff_t>(box.begin),
              colours.begin() + static_cast<std::ptrdiff_t>(box.end), [c](const Colour& a, const Colour& b) {
                  if (a[c] != b[c]) {
                      return a[c] < b[c];
                  }
                  return a < b;
              });
    const std::size_t middle = box.begin + (box.end - box.begin) / 2;
    boxes.push_back(Box{middle, box.end});
    boxes[static_cast<std::size_t>(bestBox)].end = middle;
    return true;
}

Rgba BoxAverage(const std::vector<Colour>& colours, const Box& box) {
    uint64_t sum[3] = {0, 0, 0};
    for (std::size_t i = box.begin; i < box.end; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += colours[i][c];
        }
    }
    const uint64_t n = box.end - box.begin;
    auto avg = [&](int c) { return static_cast<uint8_t>((sum[c] + n / 2) / n); };
    return Rgba{avg(0), avg(1), avg(2), 255};
}

uint8_t NearestIndex(const std::vector<Rgba>& palette, float r, float g, float b) {
    float best = 1e30f;
    uint8_t index = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const float dr = palette[i].r - r, dg = palette[i].g - g, db = palette[i].b - b;
        const float d = dr * dr * 0.3f + dg * dg * 0.59f + db * db * 0.11f;
        if (d < best) {
            best = d;
            index = static_cast<uint8_t>(i);
        }
    }
    return index;
}

std::vector<Rgba> MedianCutPalette(const Image& image, int colourCount) {
    std::vector<Colour> colours;
    colours.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            colours.push_back(Colour{p.r, p.g, p.b});
        }
    }
    std::vector<Box> boxes = {Box{0, colours.size()}};
    while (static_cast<int>(boxes.size()) < colourCount && SplitWidestBox(colours, boxes)) {
    }
    std::vector<Rgba> palette;
    for (const Box& box : boxes) {
        palette.push_back(BoxAverage(colours, box));
    }
    return palette;
}

}  // namespace

IndexedImage Quantize(const Image& image, int colours) {
    IndexedImage out;
    out.width = image.width();
    out.height = image.height();
    out.palette = MedianCutPalette(image, colours);
    out.indices.resize(static_cast<std::size_t>(out.width) * out.height);

    // Floyd-Steinberg error diffusion, left to right on every row.
    const std::size_t w = static_cast<std::size_t>(out.width);
    std::vector<std::array<float, 3>> error(w + 2), next(w + 2);
    for (int y = 0; y < out.height; ++y) {
        std::fill(next.begin(), next.end(), std::array<float, 3>{0, 0, 0});
        for (std::size_t x = 0; x < w; ++x) {
            const Rgba& p = image.at(static_cast<int>(x), y);
            float want[3] = {p.r + error[x + 1][0], p.g + error[x + 1][1], p.b + error[x + 1][2]};
            for (float& v : want) {
                v = std::min(255.0f, std::max(0.0f, v));
            }
            const uint8_t index = NearestIndex(out.palette, want[0], want[1], want[2]);
            out.indices[static_cast<std::size_t>(y) * w + x] = index;
            const Rgba& got = out.palette[index];
            const float e[3] = {want[0] - got.r, want[1] - got.g, want[2] - got.b};
            for (int c = 0; c < 3; ++c) {
                error[x + 2][c] += e[c] * (7.0f / 16.0f);
                next[x][c] += e[c] * (3.0f / 16.0f);
                next[x + 1][c] += e[c] * (5.0f / 16.0f);
                next[x + 2][c] += e[c] * (1.0f / 16.0f);
            }
        }
        std::swap(error, next);
    }
    while (out.palette.size() < static_cast<std::size_t>(colours)) {
        out.palette.push_back(Rgba{0, 0, 0, 255});
    }
    return out;
}
