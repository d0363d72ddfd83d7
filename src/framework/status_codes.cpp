#include "framework/status_codes.h"

uint32_t ErrorMessageId(int32_t code) {
    struct Entry {
        int32_t code;
        uint32_t messageId;
    };
    static const Entry table[] = {
        {StatusFail, 2100},
        {ErrNoDirect3D, 2101},
        {ErrInitFailed, 2102},
        {ErrCreateDeviceFailed, 2103},
        {ErrNoCompatibleDevices, 2104},
        {ErrNoHardwareDevice, 2105},
        {ErrHalNotCompatible, 2106},
        {ErrNoWindowedHal, 2107},
        {ErrMediaNotFound, 2108},
        {ErrResetFailed, 2109},
        {StatusOutOfMemory, 2110},
        {StatusOutOfVideoMemory, 2111},
        {ErrNoPreview, 2112},
    };
    for (const Entry& entry : table) {
        if (entry.code == code) {
            return entry.messageId;
        }
    }
    return GenericErrorMessageId;
}

int32_t ResetFailureCode(int32_t resetResult) {
    return ErrorMessageId(resetResult) != GenericErrorMessageId ? resetResult : ErrResetFailed;
}
