// Popup menus: made item by item, shown by TrackPopupMenu, which returns when the menu closes
// and (without TPM_RETURNCMD) posts the chosen item's command to the owner as WM_COMMAND.
#pragma once

#include "platform/api/Types.h"

// Item flags
#define MF_STRING 0x00000000L
#define MF_ENABLED 0x00000000L
#define MF_UNCHECKED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_CHECKED 0x00000008L
#define MF_POPUP 0x00000010L
#define MF_SEPARATOR 0x00000800L

// TrackPopupMenu flags
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L

#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212

HMENU CreatePopupMenu();
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR text);
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
int GetMenuItemCount(HMENU menu);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);
