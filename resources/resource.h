#pragma once
// Resource ids of Vantrel.exe.
#define IDR_MAINFRAME 128
#define IDS_APP_TITLE 57344
