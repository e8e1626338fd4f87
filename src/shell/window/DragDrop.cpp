#include "shell/window/DragDrop.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <utility>

namespace {
// The COM plumbing shared by the three small objects below: one reference count.
template <typename Interface>
class ComObject : public Interface {
 public:
  virtual ~ComObject() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == __uuidof(Interface)) {
      *out = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 private:
  std::atomic<ULONG> references_{1};
};

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

// DROPFILES followed by the 8-bit paths, each ended by a zero, and one zero more.
HGLOBAL BuildDropFiles(const std::vector<std::string>& paths) {
  std::size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!memory) return nullptr;
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = FALSE;
  char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(text, path.c_str(), path.size() + 1);
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return memory;
}

class FileListData final : public ComObject<IDataObject> {
 public:
  explicit FileListData(std::vector<std::string> paths) : paths_(std::move(paths)) {}
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = BuildDropFiles(paths_);
    medium->pUnkForRelease = nullptr;
    return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    bool fileList = !paths_.empty() && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL);
    return fileList ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format = FileListFormat();
    return SHCreateStdEnumFmtEtc(paths_.empty() ? 0 : 1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }

 private:
  std::vector<std::string> paths_;
};

class DropSource final : public ComObject<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    if (!(keys & (MK_LBUTTON | MK_RBUTTON))) return DRAGDROP_S_DROP;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

class FileDropTarget final : public ComObject<IDropTarget> {
 public:
  explicit FileDropTarget(std::function<void(const std::vector<std::string>&)> onDrop)
      : onDrop_(std::move(onDrop)) {}
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
    *effect = Choose(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = Choose(*effect);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    // Data without a file list adds nothing, but is handed on all the same.
    std::vector<std::string> files = ReadFileList(data);
    *effect = Choose(*effect);
    onDrop_(files);
    return S_OK;
  }

 private:
  // Any data is taken by link or copy, whichever the source allows (never moved away
  // from it): data without a file list adds nothing, but the drop handler still runs.
  static DWORD Choose(DWORD allowed) {
    if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
  }
  std::function<void(const std::vector<std::string>&)> onDrop_;
};
}  // namespace

std::vector<std::string> ReadFileList(IDataObject* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium{};
  if (data->GetData(&format, &medium) != S_OK) return paths;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
      DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
      paths.push_back(path);
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return paths;
}

ComPtr<IDataObject> MakeFileListData(const std::vector<std::string>& paths) {
  return ComPtr<IDataObject>(new FileListData(paths));
}

DWORD DragFileList(IDataObject* data, DWORD effects) {
  ComPtr<IDropSource> source(new DropSource());
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(data, source.Get(), effects, &effect);
  return effect;
}

FileDropRegistration::FileDropRegistration(
    HWND window, std::function<void(const std::vector<std::string>&)> onDrop)
    : window_(window), target_(new FileDropTarget(std::move(onDrop))),
      registered_(RegisterDragDrop(window, target_.Get()) == S_OK) {}

FileDropRegistration::~FileDropRegistration() {
  if (registered_) RevokeDragDrop(window_);
}
