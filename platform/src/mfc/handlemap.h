// Which CWnd object stands for which window: attached objects, and temporary ones made for
// windows that have none.
#pragma once

#include <afxwin.h>

namespace mfc {

CWnd* LookupPermanent(HWND window);
// Detaches the objects of windows that no longer exist and frees the temporary ones.
void ForgetDestroyedWindows();

}  // namespace mfc
