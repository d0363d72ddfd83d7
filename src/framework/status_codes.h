#pragma once

#include <cstdint>

// Status codes of the framework (HRESULT values) and the string-table message of each.

constexpr int32_t StatusOk = 0;
constexpr int32_t StatusFail = static_cast<int32_t>(0x80004005);              // E_FAIL
constexpr int32_t StatusOutOfMemory = static_cast<int32_t>(0x8007000E);       // E_OUTOFMEMORY
constexpr int32_t StatusOutOfVideoMemory = static_cast<int32_t>(0x8876017C);  // D3DERR_OUTOFVIDEOMEMORY

constexpr int32_t ErrNoDirect3D = static_cast<int32_t>(0x82000001);
constexpr int32_t ErrNoCompatibleDevices = static_cast<int32_t>(0x82000003);
constexpr int32_t ErrNoHardwareDevice = static_cast<int32_t>(0x82000005);
constexpr int32_t ErrHalNotCompatible = static_cast<int32_t>(0x82000006);
constexpr int32_t ErrInitFailed = static_cast<int32_t>(0x82000007);
constexpr int32_t ErrNoWindowedHal = static_cast<int32_t>(0x82000009);
constexpr int32_t ErrMediaNotFound = static_cast<int32_t>(0x8200000B);
constexpr int32_t ErrResetFailed = static_cast<int32_t>(0x8200000C);
constexpr int32_t ErrDeviceObjectsFailed = static_cast<int32_t>(0x8200000D);
constexpr int32_t ErrCreateDeviceFailed = static_cast<int32_t>(0x8200000E);
constexpr int32_t ErrNoPreview = static_cast<int32_t>(0x8200000F);

constexpr uint32_t GenericErrorMessageId = 2100;

// The string-table id of the message for `code`; GenericErrorMessageId for any code
// without a message of its own.
uint32_t ErrorMessageId(int32_t code);

// The code a device that cannot be reset ends the picture with: the Reset's own when it
// has a message ("Not enough video memory."), else ErrResetFailed.
int32_t ResetFailureCode(int32_t resetResult);
