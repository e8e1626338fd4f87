#pragma once
// The owners of the Windows side's handles and COM objects, one line per kind, over
// the program's one move-only owner. The system's close calls are wrapped in plain
// functions: an imported function's address is no constant a template can take.
#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include "platform/UniqueHandle.h"

namespace platform::win32 {
// A child window may already be gone with its parent; only one still there is destroyed.
inline void DestroyIfWindow(HWND window) {
  if (::IsWindow(window)) ::DestroyWindow(window);
}
inline void DestroyImageList(HIMAGELIST list) { ::ImageList_Destroy(list); }
inline void DeleteGdiObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void DeleteMemoryDc(HDC dc) { ::DeleteDC(dc); }
inline void ReleaseScreenDc(HDC dc) { ::ReleaseDC(nullptr, dc); }
inline void DestroyIconHandle(HICON icon) { ::DestroyIcon(icon); }
inline void DestroyMenuHandle(HMENU menu) { ::DestroyMenu(menu); }
inline void CloseKernelHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void ReleaseObject(IUnknown* object) { object->Release(); }
}  // namespace platform::win32

using WindowOwner = platform::UniqueHandle<platform::ClosedBy<HWND, &platform::win32::DestroyIfWindow>>;
using ImageListOwner =
    platform::UniqueHandle<platform::ClosedBy<HIMAGELIST, &platform::win32::DestroyImageList>>;
using BitmapOwner = platform::UniqueHandle<platform::ClosedBy<HBITMAP, &platform::win32::DeleteGdiObject>>;
using FontOwner = platform::UniqueHandle<platform::ClosedBy<HFONT, &platform::win32::DeleteGdiObject>>;
using MemoryDcOwner = platform::UniqueHandle<platform::ClosedBy<HDC, &platform::win32::DeleteMemoryDc>>;
using ScreenDcOwner = platform::UniqueHandle<platform::ClosedBy<HDC, &platform::win32::ReleaseScreenDc>>;
using IconOwner = platform::UniqueHandle<platform::ClosedBy<HICON, &platform::win32::DestroyIconHandle>>;
using MenuOwner = platform::UniqueHandle<platform::ClosedBy<HMENU, &platform::win32::DestroyMenuHandle>>;
// Kernel objects whose "none" is null (mutexes, events); not files, whose none is -1.
using KernelHandleOwner =
    platform::UniqueHandle<platform::ClosedBy<HANDLE, &platform::win32::CloseKernelHandle>>;
// One reference to a COM object, released once.
template <typename Interface>
using ComPtr = platform::UniqueHandle<platform::ClosedBy<Interface*, &platform::win32::ReleaseObject>>;
