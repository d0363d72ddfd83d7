#include "framework/reset_retry.h"

bool ResetRetry::Failed(double now, bool resettable) {
    if (!resettable) {
        return false;
    }
    if (failures_ == 0) {
        firstFailure_ = now;
    }
    ++failures_;
    return failures_ >= TriesBeforeGivingUp && now - firstFailure_ >= SecondsBeforeGivingUp;
}
