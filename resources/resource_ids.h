// Resource identifiers shared by the resource script and the code. Plain #defines,
// because the resource compiler reads this file too.
#ifndef CELESTRA_RESOURCE_IDS_H
#define CELESTRA_RESOURCE_IDS_H

// String table.
#define IDS_PRODUCT_NAME 1
#define IDS_ERR_GENERIC 2100
#define IDS_ERR_NO_DIRECT3D 2101
#define IDS_ERR_INIT_FAILED 2102
#define IDS_ERR_CREATE_DEVICE 2103
#define IDS_ERR_NO_COMPATIBLE 2104
#define IDS_ERR_NO_HARDWARE 2105
#define IDS_ERR_HAL_NOT_COMPATIBLE 2106
#define IDS_ERR_NO_WINDOWED_HAL 2107
#define IDS_ERR_MEDIA_NOT_FOUND 2108
#define IDS_ERR_RESET_FAILED 2109
#define IDS_ERR_OUT_OF_MEMORY 2110
#define IDS_ERR_OUT_OF_VIDEO_MEMORY 2111
#define IDS_ERR_NO_PREVIEW 2112
#define IDS_CAN_USE_HARDWARE 2210
#define IDS_CAN_USE_SOFTWARE 2211
#define IDS_CANNOT_DISPLAY 2212

// Icon.
#define IDI_SAVER 101

#endif
