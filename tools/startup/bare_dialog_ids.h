#pragma once
// Ids of the bare dialog program's resources.

#define IDD_BARE_DIALOG 100
#define IDC_BARE_TEXT 1000
