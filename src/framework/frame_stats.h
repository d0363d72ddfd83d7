#pragma once

#include <cstddef>
#include <cstdint>

// Suffix naming a depth-stencil format (Direct3D 8 D3DFORMAT value), e.g. " (D16)";
// empty for a format without a name.
const char* DepthStencilSuffix(uint32_t depthStencilFormat);

// Writes "%.02f fps (WxHxB)" and the optional depth suffix into `text`, never more than
// `size` bytes, always terminated.
void FormatFrameStats(char* text, std::size_t size, float framesPerSecond, uint32_t width, uint32_t height,
                      uint32_t bitsPerPixel, const char* depthSuffix);
