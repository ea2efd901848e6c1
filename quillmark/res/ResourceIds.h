// Ids of QUILMARK.ARX's resources and of the block dialog's controls.
#pragma once

#define IDD_BLOCK_DIALOG 145 // the block dialog's template
#define IDI_QUILLMARK 1000   // group icon: 32x32 and 16x16, 16 colours

#define IDC_ABOUT 3            // "&About" button
#define IDC_BLOCK_LIST 1061    // sorted list of block names
#define IDC_BLOCK_PREVIEW 1063 // black static subclassed as the preview control
#define IDC_PATTERN 1066       // wildcard pattern edit
#define IDC_SELECTION 1067     // type-ahead selection edit
