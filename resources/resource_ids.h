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

// Scene textures: resource type "DDS", JPEG or TGA files. The star box faces in face
// order +x, -x, +y, -y, +z, -z, once as they are and once with "show more stars".
#define IDR_STARS_POS_X 112
#define IDR_STARS_NEG_X 111
#define IDR_STARS_POS_Y 113
#define IDR_STARS_NEG_Y 109
#define IDR_STARS_POS_Z 110
#define IDR_STARS_NEG_Z 108
#define IDR_MORE_STARS_POS_X 159
#define IDR_MORE_STARS_NEG_X 158
#define IDR_MORE_STARS_POS_Y 154
#define IDR_MORE_STARS_NEG_Y 156
#define IDR_MORE_STARS_POS_Z 157
#define IDR_MORE_STARS_NEG_Z 155
#define IDR_PLUTO 135
#define IDR_NEPTUNE 138
#define IDR_URANUS 144
#define IDR_SATURN 145
#define IDR_JUPITER 146
#define IDR_MARS 147
#define IDR_EARTH 148
#define IDR_VENUS 149
#define IDR_MERCURY 150
#define IDR_HALO 137
#define IDR_SUN_GLOW 141
#define IDR_RING 151

// Bitmaps of the settings dialog.
#define IDB_SPACE_PICTURE 153
#define IDB_MAKER_LOGO 165

#endif
