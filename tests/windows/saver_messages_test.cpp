#include <windows.h>

#include <gtest/gtest.h>

#include "framework/status_codes.h"
#include "scene/win32/orrery_saver.h"
#include "support/test_saver.h"

namespace {

TEST(ErrorText, LoadsEachMessageFromTheStringTable) {
    TestSaver saver;
    char text[400] = {};
    EXPECT_TRUE(saver.ErrorText(ErrNoDirect3D, text, sizeof(text)));
    EXPECT_STREQ(text,
                 "Direct3D 8.0 could not be initialized.  Please install the latest version of DirectX.");
    EXPECT_TRUE(saver.ErrorText(ErrNoPreview, text, sizeof(text)));
    EXPECT_STREQ(text, "No preview available");
    EXPECT_TRUE(saver.ErrorText(ErrNoCompatibleDevices, text, sizeof(text)));
    EXPECT_STREQ(text, "Could not find any compatible Direct3D devices.");
    EXPECT_TRUE(saver.ErrorText(E_OUTOFMEMORY, text, sizeof(text)));
    EXPECT_STREQ(text, "Not enough memory.");
}

TEST(ErrorText, UnknownCodesShowTheGenericMessageAndSaySo) {
    TestSaver saver;
    char text[400] = {};
    EXPECT_FALSE(saver.ErrorText(ErrDeviceObjectsFailed, text, sizeof(text)));
    EXPECT_STREQ(text, "There was an unspecified problem with this screen saver.");
    EXPECT_FALSE(saver.ErrorText(E_FAIL, text, sizeof(text))) << "E_FAIL maps to the generic message itself";
}

TEST(ErrorText, ShortBuffersStayTerminated) {
    TestSaver saver;
    char text[12];
    FillMemory(text, sizeof(text), 'x');
    saver.ErrorText(ErrNoDirect3D, text, 8);
    EXPECT_EQ(lstrlenA(text), 7);
    EXPECT_EQ(text[8], 'x');
}

TEST(OrrerySaver, TakesTheProductNameAndItsRegistryKey) {
    OrrerySaver saver;
    EXPECT_STREQ(saver.windowTitle, "Celestra Screensaver");
    EXPECT_STREQ(saver.registryPath, "Software\\Nebulart\\Screensavers\\Celestra");
    EXPECT_EQ(SaverBase::Instance(), &saver);
    EXPECT_EQ(OrrerySaver::Instance(), &saver);
    EXPECT_EQ(saver.settings.cameraSettings, 2);
    EXPECT_EQ(saver.settings.redVal, 255);
    EXPECT_TRUE(saver.useDepthBuffer);
    EXPECT_EQ(saver.minDepthBits, 16u);
    EXPECT_EQ(saver.fullScreenSwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(saver.windowedSwapEffect, D3DSWAPEFFECT_COPY);
    EXPECT_FALSE(saver.allowReference);
    EXPECT_EQ(saver.useDesktopSettings, 0);
}

}  // namespace
