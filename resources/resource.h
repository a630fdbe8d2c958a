#pragma once
// Resource ids of Vantrel.exe. Included by vantrel.rc and by the C++ code, so only
// plain #defines (the resource compiler understands nothing else).

// ---------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------
#define IDR_MAINFRAME 128         // program icon and accelerator table
#define IDI_APP_ICON 128          // program icon (16, 32 and 48 pixels)
#define IDR_ACCELERATORS 128      // Ctrl+F and Insert -> Add Folder
#define IDR_POPUP_MENUS 200       // four popups, used by position (below)
#define IDR_MENU_TOOLBAR 130      // "Options" and "Help" drop-down buttons
#define IDR_FOLDER_TOOLBAR 134    // Add Folder, Remove Folder, Remove All Folders
#define IDB_SORT_ARROWS 137       // two 9 x 5 images: ascending, descending
#define IDB_STATE_IMAGES 138      // nine 16 x 16 row state images
#define IDB_FOLDER_TOOLBAR 140    // three 20 x 20 images of the folder toolbar
#define IDCUR_LINK_HAND 800       // hand cursor of the hyperlink controls
#define IDS_APP_TITLE 57344       // "Vantrel"

// Type of the toolbar resources (WORD version 1, width, height, count, command ids).
#define RT_TOOLBAR_RESOURCE 241

// Popups of IDR_POPUP_MENUS by position.
#define POPUP_OPTIONS 0
#define POPUP_HELP 1
#define POPUP_FOLDERS 2
#define POPUP_FILES 3

// Images of IDB_STATE_IMAGES; a list row's state image index is the image + 1.
#define STATE_IMAGE_ARROW 0
#define STATE_IMAGE_DONE 1
#define STATE_IMAGE_DONE_GREY 2
#define STATE_IMAGE_FAILED 3
#define STATE_IMAGE_SPIN_FIRST 4
#define STATE_IMAGE_SPIN_COUNT 5
#define STATE_IMAGE_COUNT 9

// Images of IDB_SORT_ARROWS.
#define SORT_ARROW_UP 0
#define SORT_ARROW_DOWN 1

// ---------------------------------------------------------------------------
// Dialog templates
// ---------------------------------------------------------------------------
#define IDD_ABOUT 100
#define IDD_MAIN 128
#define IDD_SETTINGS 529
#define IDD_PRESETS 530

// ---------------------------------------------------------------------------
// Controls of the main window (IDD_MAIN); Close is IDOK
// ---------------------------------------------------------------------------
#define IDC_FILE_LIST 1000
#define IDC_AUTO_CLOSE 1003
#define IDC_ALWAYS_ON_TOP 1004
#define IDC_SCAN_AND_CLEAN 1007
#define IDC_STOP 1008
#define IDC_FOLDER_LIST 1014
#define IDC_FILTER_EDIT 1015
#define IDC_DELETE_EMPTY_FOLDERS 1017
#define IDC_DELETE_FILES 1019
#define IDC_DELETE_FOLDERS 1020
#define IDC_FILTER_LABEL 1021
#define IDC_KEEP_LABEL 1022
#define IDC_KEEP_EDIT 1023
#define IDC_OLDER_LABEL 1024
#define IDC_OLDER_EDIT 1025
#define IDC_OLDER_UNIT 1026
#define IDC_RUN_SUMMARY 1027
#define IDC_OPTIONS_GROUP 1030
#define IDC_SCAN 1032
#define IDC_CLEAN 1033
#define IDC_RECYCLE_FILES 1034
#define IDC_SCAN_SUBFOLDERS 1035
#define IDC_PRESET_COMBO 1047
#define IDC_PRESET_LABEL 1048
#define IDC_DELETE_READONLYS 1050
#define IDC_DELETE_EMPTY_FILES 1051
#define IDC_FOLDERS_LABEL 1055

// Toolbars created by the main window (not in the template).
#define IDC_MENU_TOOLBAR 59392    // 0xE800
#define IDC_FOLDER_TOOLBAR 59393  // 0xE801

// ---------------------------------------------------------------------------
// Controls of the Presets dialog (IDD_PRESETS); the filter edit and the seven
// option boxes reuse the main window's ids (so do the keep and age edits); Close is IDOK
// ---------------------------------------------------------------------------
#define IDC_PRESET_ADD 1038
#define IDC_PRESET_DELETE 1039
#define IDC_PRESET_NAME 1042
#define IDC_PRESET_LOAD_DEFAULTS 1044
#define IDC_PRESET_TREE 1054

// ---------------------------------------------------------------------------
// Controls of the About dialog (IDD_ABOUT); OK is IDOK
// ---------------------------------------------------------------------------
#define IDC_ABOUT_TITLE 1005
#define IDC_ABOUT_WEB_LINK 1006
#define IDC_ABOUT_MAIL_LINK 1009
#define IDC_ABOUT_VERSION 1053
#define IDC_ABOUT_DESCRIPTION 1062

// ---------------------------------------------------------------------------
// Controls of the Settings dialog (IDD_SETTINGS); OK is IDOK, Cancel IDCANCEL
// ---------------------------------------------------------------------------
#define IDC_SHELL_EXTENSION_CHECK 1010

// ---------------------------------------------------------------------------
// Commands (menus, toolbar buttons, accelerators, keys)
// ---------------------------------------------------------------------------
#define ID_OPTIONS_DROPDOWN 32771
#define ID_HELP_DROPDOWN 32772
#define ID_FOLDER_REMOVE 32774
#define ID_FOLDER_REMOVE_ALL 32775
#define ID_FOLDER_ADD 32776
#define ID_SETTINGS 32777
#define ID_FILE_REMOVE 32782
#define ID_FILE_REMOVE_ALL 32783
#define ID_FOLDER_OPEN 32785
#define ID_AUTO_REMOVE_DELETED 32786
#define ID_FILE_OPEN_FOLDER 32787
#define ID_PRESETS 32788
#define ID_SHOW_FILE_SIZES 32790
#define ID_FOLDER_SELECT_ALL 32791
#define ID_FILE_SELECT_ALL 32792
#define ID_EMAIL_US 32814
#define ID_WEB_SITE 32815
#define ID_CHECK_FOR_UPDATES 32834
#define ID_FILE_OPEN_ITEM 57601
#define ID_APP_ABOUT 57664
#define ID_DEFAULT_HELP 57670  // the platform's default help command (no content)
