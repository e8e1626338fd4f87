#pragma once
// Files dragged between the lists and dropped from Explorer, as the system's file list
// (CF_HDROP): a drop target for each list, and the data offered when dragging rows.
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

// Paths of a CF_HDROP in `data`; empty when it holds no file list.
std::vector<std::string> ReadFileList(IDataObject* data);

// A data object offering `paths` as a file list; with no paths it offers no format.
// The caller owns the one reference it is returned with.
IDataObject* MakeFileListData(const std::vector<std::string>& paths);

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
  IDropTarget* Target() const { return target_; }

 private:
  HWND window_;
  IDropTarget* target_;
  bool registered_;
};
