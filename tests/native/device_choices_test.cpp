#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/d3d_codes.h"
#include "framework/device_choices.h"
#include "framework/device_description.h"

namespace {

std::vector<uint32_t> VertexChoices(uint32_t devCaps) {
    uint32_t choices[MaxVertexProcessingChoices];
    const uint32_t count = VertexProcessingChoices(devCaps, choices);
    return std::vector<uint32_t>(choices, choices + count);
}

TEST(VertexProcessing, OffersHardwareOnlyWithTransformAndLighting) {
    EXPECT_EQ(VertexChoices(0), (std::vector<uint32_t>{0x20}));
    EXPECT_EQ(VertexChoices(DevCapsHwTransformAndLight), (std::vector<uint32_t>{0x40, 0x80, 0x20}));
    EXPECT_EQ(VertexChoices(DevCapsHwTransformAndLight | DevCapsPureDevice),
              (std::vector<uint32_t>{0x50, 0x40, 0x80, 0x20}));
    EXPECT_EQ(VertexChoices(DevCapsPureDevice), (std::vector<uint32_t>{0x20})) << "pure needs T&L";
}

TEST(DepthStencil, CandidatesFollowTheRequestedBits) {
    uint32_t candidates[MaxDepthStencilCandidates];
    uint32_t count = DepthStencilCandidates(16, 0, candidates);
    EXPECT_EQ(std::vector<uint32_t>(candidates, candidates + count),
              (std::vector<uint32_t>{FormatD16, FormatD24X8, FormatD24S8, FormatD24X4S4, FormatD32}));
    count = DepthStencilCandidates(15, 1, candidates);
    EXPECT_EQ(std::vector<uint32_t>(candidates, candidates + count),
              (std::vector<uint32_t>{FormatD15S1, FormatD24S8, FormatD24X4S4}));
    count = DepthStencilCandidates(24, 8, candidates);
    EXPECT_EQ(std::vector<uint32_t>(candidates, candidates + count), (std::vector<uint32_t>{FormatD24S8}));
    EXPECT_EQ(DepthStencilCandidates(33, 0, candidates), 0u);
}

const DeviceKindTraits halAndSw[] = {{DeviceTypeHal, true}, {DeviceTypeSw, true}};
const DeviceKindTraits swAndRef[] = {{DeviceTypeSw, false}, {DeviceTypeRef, false}};

TEST(DeviceKind, FullScreenTakesTheHalUnlessDisabled) {
    EXPECT_EQ(ChooseFullScreenKind(halAndSw, 2, false, false), 0u);
    EXPECT_EQ(ChooseFullScreenKind(halAndSw, 2, true, false), 1u);
    EXPECT_EQ(ChooseFullScreenKind(halAndSw, 1, true, false), NoKindIndex);
    EXPECT_EQ(ChooseFullScreenKind(swAndRef, 2, false, true), 0u) << "software beats reference";
    EXPECT_EQ(ChooseFullScreenKind(swAndRef + 1, 1, false, true), 0u);
    EXPECT_EQ(ChooseFullScreenKind(swAndRef + 1, 1, false, false), NoKindIndex);
}

TEST(DeviceKind, WindowedNeedsWindowedRendering) {
    const DeviceKindTraits halFullScreenOnly[] = {{DeviceTypeHal, false}, {DeviceTypeSw, true}};
    EXPECT_EQ(ChooseWindowedKind(halFullScreenOnly, 2, false, false), 1u);
    EXPECT_EQ(ChooseWindowedKind(halAndSw, 2, false, false), 0u);
    EXPECT_EQ(ChooseWindowedKind(swAndRef, 1, false, false), NoKindIndex);
}

TEST(BestAdapter, FirstHardwareElseLastSoftware) {
    const AdapterUsability adapters[] = {{false, true}, {true, true}, {false, true}, {false, false}};
    uint32_t best = 99;
    const uint32_t monitors[] = {NoAdapterIndex, 2, 0, 1, 3};
    ASSERT_TRUE(FindBestAdapterIndex(monitors, 5, adapters, 4, &best));
    EXPECT_EQ(best, 1u);
    const uint32_t softwareOnly[] = {2, 0, 3, 7};
    ASSERT_TRUE(FindBestAdapterIndex(softwareOnly, 4, adapters, 4, &best));
    EXPECT_EQ(best, 0u) << "the last monitor with usable software; unknown adapters are skipped";
    const uint32_t none[] = {3, NoAdapterIndex};
    EXPECT_FALSE(FindBestAdapterIndex(none, 2, adapters, 4, &best));
}

std::string Describe(uint32_t type, uint32_t behaviour, const char* adapter = "Card") {
    char text[90];
    DescribeScreenDevice(text, sizeof(text), type, behaviour, adapter, 512);
    return text;
}

TEST(DeviceDescription, NamesTypeVertexProcessingAndHalAdapter) {
    EXPECT_EQ(Describe(DeviceTypeHal, 0x50), "HAL (pure hw vp): Card");
    EXPECT_EQ(Describe(DeviceTypeHal, 0x40), "HAL (hw vp): Card");
    EXPECT_EQ(Describe(DeviceTypeHal, 0x80 | CreateMultithreaded), "HAL (mixed vp): Card");
    EXPECT_EQ(Describe(DeviceTypeHal, 0x20), "HAL (sw vp): Card");
    EXPECT_EQ(Describe(DeviceTypeSw, 0x50), "SW (simulated pure hw vp)");
    EXPECT_EQ(Describe(DeviceTypeRef, 0x40), "REF (simulated hw vp)");
    EXPECT_EQ(Describe(DeviceTypeSw, 0x80), "SW (simulated mixed vp)");
    EXPECT_EQ(Describe(DeviceTypeRef, 0x20), "REF (sw vp)");
}

TEST(DeviceDescription, LongOrUnterminatedAdapterNamesAreCutToTheField) {
    char name[512];
    std::memset(name, 'A', sizeof(name));  // a driver need not terminate the field
    char text[91];
    std::memset(text, '#', sizeof(text));
    DescribeScreenDevice(text, 90, DeviceTypeHal, 0x40, name, sizeof(name));
    EXPECT_EQ(std::strlen(text), 89u);
    EXPECT_EQ(std::string(text, 13), "HAL (hw vp): ");
    EXPECT_EQ(text[90], '#') << "nothing written past the field";

    char shortField[4] = {'G', 'P', 'U', 'X'};
    DescribeScreenDevice(text, 90, DeviceTypeHal, 0x40, shortField, 3);
    EXPECT_STREQ(text, "HAL (hw vp): GPU");
}

}  // namespace
