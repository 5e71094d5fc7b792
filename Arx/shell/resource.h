// Resource ids of the module, as a resource script would number them.
#pragma once

#define IDD_ABOUTBOX 1023
#define IDB_SPLASH 1045

#define IDC_ABOUT_LOGO 1201
#define IDC_ABOUT_PRODUCT 1202
#define IDC_ABOUT_VERSION 1203
#define IDC_ABOUT_NOTICE 1204
