// Ids of the framework suite's own dialog templates.
#pragma once

#define IDD_FRAMEWORK_TEST 200
#define IDD_FRAMEWORK_CHILD 201

#define IDC_SOURCE_EDIT 300
#define IDC_MIRROR_EDIT 301
#define IDC_GO_BUTTON 302
#define IDC_DRAWN_BUTTON 303
#define IDC_LABEL 304
#define IDC_CHILD_EDIT 310
