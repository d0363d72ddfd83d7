#include "scene/line_ribbon.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float TexelMiddle = 0.5f;

// The few vector operations of the inner loop, here where the compiler can inline them:
// a frame bands a couple of thousand points.
inline float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b) {
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float Depth(const RibbonView& view, const D3DXVECTOR3& point) {
    return Dot(point - view.eye, view.forward);
}

// Any vector across the line of sight, for a line seen end-on.
D3DXVECTOR3 AnyAcross(const D3DXVECTOR3& sight) {
    const D3DXVECTOR3 axis = sight.y * sight.y < 0.81f * Dot(sight, sight) ? D3DXVECTOR3(0.0f, 1.0f, 0.0f)
                                                                           : D3DXVECTOR3(1.0f, 0.0f, 0.0f);
    return Cross(axis, sight);
}

// Half the band at `point` for a line running along `tangent`: across both the line and
// the line of sight, as many world units as the band's half width in pixels spans there.
// `depth` is the point's, along the view; `perDepth` the half width at depth 1.
D3DXVECTOR3 HalfBand(const RibbonView& view, const D3DXVECTOR3& point, const D3DXVECTOR3& tangent,
                     float depth, float perDepth) {
    const D3DXVECTOR3 sight = point - view.eye;
    D3DXVECTOR3 across = Cross(tangent, sight);
    float squared = Dot(across, across);
    // Sines below 1e-6: the line runs along the line of sight, or has no direction here.
    if (squared <= 1e-12f * Dot(tangent, tangent) * Dot(sight, sight)) {
        across = AnyAcross(Dot(sight, sight) > 0.0f ? sight : view.forward);
        squared = Dot(across, across);
    }
    const float banded = std::max(depth, view.nearDepth);
    return across * (perDepth * banded / std::sqrt(squared));
}

LineVertex BandVertex(const D3DXVECTOR3& p, uint32_t colour, float u) {
    return LineVertex{p.x, p.y, p.z, colour, u, TexelMiddle};
}

// Builds the pieces of one side of the split plane into its strip.
class StripWriter {
public:
    StripWriter(std::vector<LineVertex>& strip, uint32_t colour, float perDepth)
        : strip_(strip), colour_(colour), perDepth_(perDepth) {}

    void StartPiece() { pieceStart_ = true; }

    void Add(const RibbonView& view, const D3DXVECTOR3& point, const D3DXVECTOR3& tangent, float depth) {
        const D3DXVECTOR3 half = HalfBand(view, point, tangent, depth, perDepth_);
        const LineVertex left = BandVertex(point + half, colour_, 0.0f);
        const LineVertex right = BandVertex(point - half, colour_, 1.0f);
        if (pieceStart_ && !strip_.empty()) {
            // Two repeated vertices join this piece to the last without a visible triangle.
            const LineVertex last = strip_.back();
            strip_.push_back(last);
            strip_.push_back(left);
        }
        pieceStart_ = false;
        strip_.push_back(left);
        strip_.push_back(right);
    }

private:
    std::vector<LineVertex>& strip_;
    uint32_t colour_;
    float perDepth_;
    bool pieceStart_ = true;
};

// The direction of the line at point i: between its neighbours, across the joint of a
// closed line, along the end segment at an open end.
D3DXVECTOR3 TangentAt(const D3DXVECTOR3* points, std::size_t count, std::size_t i, bool closed) {
    const std::size_t last = count - 1;
    if (i > 0 && i < last) {
        return points[i + 1] - points[i - 1];
    }
    if (closed) {
        return points[1] - points[last - 1];
    }
    return i == 0 ? points[1] - points[0] : points[last] - points[last - 1];
}

}  // namespace

void AppendRibbon(const D3DXVECTOR3* points, std::size_t count, uint32_t colour, const RibbonView& view,
                  RibbonStrips& strips) {
    if (points == nullptr || count < 2 || !(view.focalPixels > 0.0f)) {
        return;
    }
    const bool closed = count > 2 && points[0] == points[count - 1];
    const float perDepth = view.halfWidthPixels / view.focalPixels;
    StripWriter behind(strips.behind, colour, perDepth);
    StripWriter inFront(strips.inFront, colour, perDepth);
    auto sideOf = [&](float depth) -> StripWriter& { return depth < view.splitDepth ? inFront : behind; };

    float depth = Depth(view, points[0]);
    StripWriter* current = &sideOf(depth);
    current->StartPiece();
    current->Add(view, points[0], TangentAt(points, count, 0, closed), depth);
    for (std::size_t i = 1; i < count; ++i) {
        const float nextDepth = Depth(view, points[i]);
        StripWriter* next = &sideOf(nextDepth);
        if (next != current) {
            // The segment crosses the split plane: both pieces end where it does.
            const D3DXVECTOR3 segment = points[i] - points[i - 1];
            const float t = (view.splitDepth - depth) / (nextDepth - depth);
            const D3DXVECTOR3 crossing = points[i - 1] + segment * t;
            current->Add(view, crossing, segment, view.splitDepth);
            next->StartPiece();
            next->Add(view, crossing, segment, view.splitDepth);
            current = next;
        }
        current->Add(view, points[i], TangentAt(points, count, i, closed), nextDepth);
        depth = nextDepth;
    }
}

float RibbonHalfWidthPixels(float coreWidthPixels) {
    return (std::max(coreWidthPixels, 0.0f) + 1.0f) * 0.5f;
}

float LineCoverage(float fromMiddle, float coreWidthPixels) {
    const float halfCore = std::max(coreWidthPixels, 0.0f) * 0.5f;
    const float d = std::fabs(fromMiddle);
    const float covered = std::min(d + 0.5f, halfCore) - std::max(d - 0.5f, -halfCore);
    return std::clamp(covered, 0.0f, 1.0f);
}

DecodedImage LineEdgeImage(float coreWidthPixels) {
    DecodedImage image;
    image.width = LineEdgeImageSize;
    image.height = LineEdgeImageSize;
    image.hasAlpha = true;
    const float halfBand = RibbonHalfWidthPixels(coreWidthPixels);
    std::vector<uint32_t> row(LineEdgeImageSize);
    for (uint32_t x = 0; x < LineEdgeImageSize; ++x) {
        const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(LineEdgeImageSize);
        const float coverage = LineCoverage((u - 0.5f) * 2.0f * halfBand, coreWidthPixels);
        const uint32_t alpha = static_cast<uint32_t>(std::lround(coverage * 255.0f));
        row[x] = (alpha << 24) | 0x00FFFFFFu;
    }
    image.pixels.reserve(static_cast<std::size_t>(LineEdgeImageSize) * LineEdgeImageSize);
    for (uint32_t y = 0; y < LineEdgeImageSize; ++y) {
        image.pixels.insert(image.pixels.end(), row.begin(), row.end());
    }
    return image;
}
