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

// Settings dialog.
#define IDD_SETTINGS 106
#define IDC_SPEED_TRACKBAR 1002
#define IDC_DISPLAY_SETTINGS 1006
#define IDC_SHOW_DISTANCES 1012
#define IDC_AUDIO_DEFAULT 1014
#define IDC_AUDIO_PATH 1015
#define IDC_AUDIO_BROWSE 1016
#define IDC_FONT_COLOUR 1017
#define IDC_COLOUR_SWATCH 1018
#define IDC_FULL_AMBIENT 1023
#define IDC_MORE_STARS 1024
#define IDC_SPEED_SLOW 1025
#define IDC_SPEED_FAST 1026
#define IDC_SPEED_TICKS 1027
#define IDC_AUDIO_CUSTOM 1033
#define IDC_LOGO 1035
#define IDC_SPACE_PICTURE 1036
#define IDC_ARRANGEMENT_FIRST 2216 /* real (with turn around time) */
#define IDC_ARRANGEMENT_REAL 2217
#define IDC_ARRANGEMENT_LAST 2218 /* relative positions from Sun */
#define IDC_CAMERA_FIRST 2219     /* static camera; 2219 + camera mode */
#define IDC_CAMERA_ELLIPTIC 2221
#define IDC_CAMERA_LAST 2224 /* informative mode */
#define IDC_PLANET_LIST 2225
#define IDC_SHOW_TRAJECTORIES 2226
#define IDC_SHOW_NAMES 2227
#define IDC_SHOW_FPS 2228
#define IDC_SET_DEFAULTS 2229

// Display Settings dialogs: one adapter, and one tab per monitor.
#define IDD_DISPLAY_SETTINGS 200
#define IDD_DISPLAY_SETTINGS_MONITORS 201
#define IDC_USE_DESKTOP 1029
#define IDC_MONITOR_TABS 2000
#define IDC_TAB_LABEL_TEMPLATE 2001
#define IDC_ADAPTER_NAME 2002
#define IDC_RENDERING_STATUS 2003
#define IDC_MONITOR_USAGE 2006
#define IDC_DISPLAY_SAVER 2007
#define IDC_DISPLAY_NOTHING 2008
#define IDC_MODE_GROUP 2009
#define IDC_MODE_LABEL 2010
#define IDC_MODE_LIST 2011
#define IDC_AUTOMATIC_TEXT 2012
#define IDC_AUTOMATIC_NOTE 2013
#define IDC_GENERAL_GROUP 2014
#define IDC_ALL_SCREENS_SAME 2015
#define IDC_MODE_TEXT_TEMPLATE 2016

#endif
