// Resource ids of the program file: dialog template 102 and icon 128. Control ids
// are those of the window logic and are written as numbers in tessorin.rc.
#pragma once

#define IDD_MAIN_DIALOG 102
#define IDR_MAINFRAME 128
