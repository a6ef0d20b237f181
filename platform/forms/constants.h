#pragma once
// The old runtime's constants for forms, controls, keys and the mouse, under their old names.
#include "platform/core/types.h"

namespace forms {

using vb::Integer;
using vb::Long;
using vb::Single;

// Mouse buttons and shift states of mouse and key events.
constexpr Integer vbLeftButton = 1;
constexpr Integer vbRightButton = 2;
constexpr Integer vbMiddleButton = 4;
constexpr Integer vbShiftMask = 1;
constexpr Integer vbCtrlMask = 2;
constexpr Integer vbAltMask = 4;

// Key codes.
constexpr Integer vbKeyBack = 8;
constexpr Integer vbKeyTab = 9;
constexpr Integer vbKeyReturn = 13;
constexpr Integer vbKeyShift = 16;
constexpr Integer vbKeyControl = 17;
constexpr Integer vbKeyEscape = 27;
constexpr Integer vbKeySpace = 32;
constexpr Integer vbKeyPageUp = 33;
constexpr Integer vbKeyPageDown = 34;
constexpr Integer vbKeyEnd = 35;
constexpr Integer vbKeyHome = 36;
constexpr Integer vbKeyLeft = 37;
constexpr Integer vbKeyUp = 38;
constexpr Integer vbKeyRight = 39;
constexpr Integer vbKeyDown = 40;
constexpr Integer vbKeyInsert = 45;
constexpr Integer vbKeyDelete = 46;
constexpr Integer vbKey0 = 48;  // vbKey0 + n for the digits
constexpr Integer vbKeyA = 65;  // vbKeyA + n for the letters
constexpr Integer vbKeyF1 = 112;  // vbKeyF1 + n - 1 for F1..F16
// The menu key beside the right Ctrl (Windows' VK_APPS); the old runtime named no constant for it.
constexpr Integer kKeyMenu = 93;

// Mouse pointers (Screen, forms and controls).
constexpr Integer vbDefault = 0;
constexpr Integer vbArrow = 1;
constexpr Integer vbCrosshair = 2;
constexpr Integer vbIbeam = 3;
constexpr Integer vbIconPointer = 4;
constexpr Integer vbSizePointer = 5;
constexpr Integer vbSizeNESW = 6;
constexpr Integer vbSizeNS = 7;
constexpr Integer vbSizeNWSE = 8;
constexpr Integer vbSizeWE = 9;
constexpr Integer vbUpArrow = 10;
constexpr Integer vbHourglass = 11;
constexpr Integer vbNoDrop = 12;
constexpr Integer vbArrowHourglass = 13;
constexpr Integer vbArrowQuestion = 14;
constexpr Integer vbSizeAll = 15;
constexpr Integer vbCustom = 99;

// Form window states.
constexpr Integer vbNormal = 0;
constexpr Integer vbMinimized = 1;
constexpr Integer vbMaximized = 2;

// UnloadMode of QueryUnload.
constexpr Integer vbFormControlMenu = 0;  // the user closed the window
constexpr Integer vbFormCode = 1;         // Unload from code
constexpr Integer vbAppWindows = 2;       // the session ends
constexpr Integer vbAppTaskManager = 3;
constexpr Integer vbFormMDIForm = 4;      // a child, because its MDI parent closes
constexpr Integer vbFormOwner = 5;

// Show's modal flag.
constexpr Integer vbModeless = 0;
constexpr Integer vbModal = 1;

// Check box values.
constexpr Integer vbUnchecked = 0;
constexpr Integer vbChecked = 1;
constexpr Integer vbGrayed = 2;

// ZOrder positions.
constexpr Integer vbBringToFront = 0;
constexpr Integer vbSendToBack = 1;

// PopupMenu flags.
constexpr Integer vbPopupMenuLeftAlign = 0;
constexpr Integer vbPopupMenuCenterAlign = 4;
constexpr Integer vbPopupMenuRightAlign = 8;
constexpr Integer vbPopupMenuLeftButton = 0;
constexpr Integer vbPopupMenuRightButton = 2;

// Alignment of labels and text boxes.
constexpr Integer vbLeftJustify = 0;
constexpr Integer vbRightJustify = 1;
constexpr Integer vbCenter = 2;

// Combo box styles.
constexpr Integer vbComboDropdown = 0;      // editable, with a drop-down list
constexpr Integer vbComboSimple = 1;        // editable, list always shown
constexpr Integer vbComboDropdownList = 2;  // pick only

// Border styles (controls: 0 none, 1 fixed single; forms: 0..5).
constexpr Integer vbBSNone = 0;
constexpr Integer vbFixedSingle = 1;
constexpr Integer vbSizable = 2;
constexpr Integer vbFixedDialog = 3;
constexpr Integer vbFixedToolWindow = 4;
constexpr Integer vbSizableToolWindow = 5;

// Text box scroll bars.
constexpr Integer vbSBNone = 0;
constexpr Integer vbHorizontal = 1;
constexpr Integer vbVertical = 2;
constexpr Integer vbBoth = 3;

// Shape kinds.
constexpr Integer vbShapeRectangle = 0;
constexpr Integer vbShapeSquare = 1;
constexpr Integer vbShapeOval = 2;
constexpr Integer vbShapeCircle = 3;
constexpr Integer vbShapeRoundedRectangle = 4;
constexpr Integer vbShapeRoundedSquare = 5;

// Back style and fill style.
constexpr Integer vbTransparent = 0;
constexpr Integer vbOpaque = 1;
constexpr Integer vbFSSolid = 0;
constexpr Integer vbFSTransparent = 1;

// Colours are &HBBGGRR longs; values with the top bit set name system colours.
constexpr Long vbBlack = 0x000000;
constexpr Long vbRed = 0x0000FF;
constexpr Long vbGreen = 0x00FF00;
constexpr Long vbYellow = 0x00FFFF;
constexpr Long vbBlue = 0xFF0000;
constexpr Long vbMagenta = 0xFF00FF;
constexpr Long vbCyan = 0xFFFF00;
constexpr Long vbWhite = 0xFFFFFF;
constexpr Long vbScrollBars = static_cast<Long>(0x80000000u);
constexpr Long vbDesktop = static_cast<Long>(0x80000001u);
constexpr Long vbActiveTitleBar = static_cast<Long>(0x80000002u);
constexpr Long vbMenuBar = static_cast<Long>(0x80000004u);
constexpr Long vbWindowBackground = static_cast<Long>(0x80000005u);
constexpr Long vbWindowFrame = static_cast<Long>(0x80000006u);
constexpr Long vbMenuText = static_cast<Long>(0x80000007u);
constexpr Long vbWindowText = static_cast<Long>(0x80000008u);
constexpr Long vbTitleBarText = static_cast<Long>(0x80000009u);
constexpr Long vbHighlight = static_cast<Long>(0x8000000Du);
constexpr Long vbHighlightText = static_cast<Long>(0x8000000Eu);
constexpr Long vbButtonFace = static_cast<Long>(0x8000000Fu);
constexpr Long vbButtonShadow = static_cast<Long>(0x80000010u);
constexpr Long vbGrayText = static_cast<Long>(0x80000011u);
constexpr Long vbButtonText = static_cast<Long>(0x80000012u);
constexpr Long vbInfoText = static_cast<Long>(0x80000017u);
constexpr Long vbInfoBackground = static_cast<Long>(0x80000018u);

// A colour as &HBBGGRR, system colours replaced by the classic Windows scheme's values.
Long ResolveColor(Long color);

// Twips per pixel, horizontally and vertically (96 dots per inch).
constexpr int kTwipsPerPixel = 15;

}  // namespace forms
