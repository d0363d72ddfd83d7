#include "framework/status_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(StatusCodes, EveryCodeOfTheTableHasItsMessage) {
    EXPECT_EQ(ErrorMessageId(StatusFail), 2100u);
    EXPECT_EQ(ErrorMessageId(ErrNoDirect3D), 2101u);
    EXPECT_EQ(ErrorMessageId(ErrInitFailed), 2102u);
    EXPECT_EQ(ErrorMessageId(ErrCreateDeviceFailed), 2103u);
    EXPECT_EQ(ErrorMessageId(ErrNoCompatibleDevices), 2104u);
    EXPECT_EQ(ErrorMessageId(ErrNoHardwareDevice), 2105u);
    EXPECT_EQ(ErrorMessageId(ErrHalNotCompatible), 2106u);
    EXPECT_EQ(ErrorMessageId(ErrNoWindowedHal), 2107u);
    EXPECT_EQ(ErrorMessageId(ErrMediaNotFound), 2108u);
    EXPECT_EQ(ErrorMessageId(ErrResetFailed), 2109u);
    EXPECT_EQ(ErrorMessageId(StatusOutOfMemory), 2110u);
    EXPECT_EQ(ErrorMessageId(StatusOutOfVideoMemory), 2111u);
    EXPECT_EQ(ErrorMessageId(ErrNoPreview), 2112u);
}

TEST(StatusCodes, OtherCodesFallBackToTheGenericMessage) {
    EXPECT_EQ(ErrorMessageId(ErrDeviceObjectsFailed), GenericErrorMessageId);
    EXPECT_EQ(ErrorMessageId(StatusOk), GenericErrorMessageId);
    EXPECT_EQ(ErrorMessageId(static_cast<int32_t>(0x80070057)), GenericErrorMessageId);
}

}  // namespace
