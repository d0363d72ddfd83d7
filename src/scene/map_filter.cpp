#include "scene/map_filter.h"

#include <algorithm>

MapMinification ChooseMapMinification(bool deviceMinifiesAnisotropically, uint32_t deviceMaxAnisotropy) {
    if (!deviceMinifiesAnisotropically || deviceMaxAnisotropy < 2) {
        return MapMinification{false, 1};
    }
    return MapMinification{true, std::min(deviceMaxAnisotropy, PlanetMapAnisotropyLimit)};
}
