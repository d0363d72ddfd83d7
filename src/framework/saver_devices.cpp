#include "framework/saver_base.h"

// Direct3D is not created yet: runs have no screen devices and render nothing.
HRESULT SaverBase::StartDirect3D() { return S_OK; }

HRESULT SaverBase::CreateScreenDevices() {
    if (mode == Preview || mode == Test) {
        windowed = TRUE;
        GetClientRect(mainWindow, &renderTotal);
        renderCurrent = renderTotal;
    } else {
        windowed = FALSE;
    }
    mouseMoveCount = 0;
    return S_OK;
}

void SaverBase::DescribeDevices() {}
