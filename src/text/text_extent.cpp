#include "text/text_extent.h"

#include <algorithm>

TextExtent MeasureText(const GlyphAtlas& atlas, const char* text) {
    const float rowHeight = RowTexelHeight(atlas);
    float width = 0.0f;
    float height = rowHeight;
    float rowWidth = 0.0f;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
        if (*p == '\n') {
            rowWidth = 0.0f;
            height += rowHeight;
        } else if (HasGlyph(*p)) {
            rowWidth += GlyphTexelWidth(atlas, *p);
            width = std::max(width, rowWidth);
        }
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}
