#pragma once
// Files dragged between the lists and dropped from Explorer, as the system's file list
// (CF_HDROP): a drop target for each list, and the data offered when dragging rows.
#include <windows.h>
#include <ole2.h>

#include "platform/win32/Owners.h"

#include <functional>
#include <string>
#include <vector>

// Paths of a CF_HDROP in `data`; empty when it holds no file list.
std::vector<std::string> ReadFileList(IDataObject* data);

// A data object offering `paths` as a file list; with no paths it offers no format.
ComPtr<IDataObject> MakeFileListData(const std::vector<std::string>& paths);

// Drags `data` with the allowed `effects` until the user drops or cancels.
DWORD DragFileList(IDataObject* data, DWORD effects);

// Registers a drop target on `window` that hands each dropped file list to `onDrop`.
// The registration is revoked with the object.
class FileDropRegistration {
 public:
  FileDropRegistration(HWND window, std::function<void(const std::vector<std::string>&)> onDrop);
  ~FileDropRegistration();
  FileDropRegistration(const FileDropRegistration&) = delete;
  FileDropRegistration& operator=(const FileDropRegistration&) = delete;
  bool Registered() const { return registered_; }
  IDropTarget* Target() const { return target_.Get(); }

 private:
  HWND window_;
  ComPtr<IDropTarget> target_;
  bool registered_;
};

// OLE for the thread (drag and drop needs it) for as long as the object lives.
class OleSession {
 public:
  OleSession() : started_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (started_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool started_;
};
