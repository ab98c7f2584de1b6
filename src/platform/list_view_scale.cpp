#include "platform/list_view_scale.h"

#include <commctrl.h>

#include "display/display_scale.h"
#include "platform/dpi.h"
#include "res/resource.h"

void setStateImages(HWND listView, HINSTANCE resources, int dpi) {
    const int size = systemMetricForDpi(SM_CXSMICON, dpi);
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 3, 1);
    const int stateIcons[] = {IDI_STATE_RUNNING, IDI_STATE_PAUSED, IDI_STATE_FINISHED};
    for (int id : stateIcons) {
        HICON icon = loadIconOfSize(resources, id, size);
        ImageList_ReplaceIcon(images, -1, icon);
        DestroyIcon(icon);
    }
    // The list leaves a replaced image list to its owner.
    auto previous = reinterpret_cast<HIMAGELIST>(
        SendMessageA(listView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images)));
    if (previous) ImageList_Destroy(previous);
}

void rescaleColumnWidths(HWND listView, int fromDpi, int toDpi) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    const int columns = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < columns; ++column) {
        const int width = static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageA(listView, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(rescaleLength(width, fromDpi, toDpi), 0));
    }
}
