// The native build's file calls: POSIX files behind the Windows contract. Each open
// file keeps its own position, so a read is one pread and a seek is no system call.
// A file held in memory (MemoryFile) is read with no system call at all.
#include "platform/FileApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/standin/HostPath.h"
#include "platform/standin/MemoryFile.h"

namespace platform {
namespace {
thread_local std::uint32_t lastError = 0;

struct OpenFile {
  int fd = -1;
  std::optional<std::span<const std::uint8_t>> memory;  // the bytes of a MemoryFile
  std::int64_t position = 0;
  bool readable = false;
  bool writable = false;

  bool InUse() const { return fd >= 0 || memory.has_value(); }
};

// Handles are small numbers above a base, like the system's: never 0 or -1.
constexpr FileHandle kHandleBase = 0x100;
std::vector<OpenFile> openFiles;

OpenFile* Lookup(FileHandle file) {
  if (file < kHandleBase) return nullptr;
  auto index = static_cast<std::size_t>(file - kHandleBase);
  if (index >= openFiles.size() || !openFiles[index].InUse()) return nullptr;
  return &openFiles[index];
}

FileHandle Store(const OpenFile& entry) {
  for (std::size_t i = 0; i < openFiles.size(); ++i) {
    if (!openFiles[i].InUse()) {
      openFiles[i] = entry;
      return kHandleBase + static_cast<FileHandle>(i);
    }
  }
  openFiles.push_back(entry);
  return kHandleBase + static_cast<FileHandle>(openFiles.size() - 1);
}

bool Fail(std::uint32_t code) {
  lastError = code;
  return false;
}

// The living MemoryFiles, newest last: a name is looked up from the end.
std::vector<std::pair<const standin::MemoryFile*, std::span<const std::uint8_t>>> memoryFiles;

const std::span<const std::uint8_t>* FindMemoryFile(const std::string& name) {
  for (auto it = memoryFiles.rbegin(); it != memoryFiles.rend(); ++it)
    if (it->first->Name() == name) return &it->second;
  return nullptr;
}

// A file in memory is read-only: it exists, so it cannot be created new, and neither
// written nor truncated.
FileHandle OpenMemoryFile(std::span<const std::uint8_t> bytes, std::uint32_t access,
                          std::uint32_t disposition) {
  if (disposition == win::kCreateNew) {
    Fail(err::kFileExists);
    return kInvalidFileHandle;
  }
  if ((access & win::kGenericWrite) || disposition == win::kCreateAlways || disposition == 5) {
    Fail(err::kAccessDenied);
    return kInvalidFileHandle;
  }
  lastError = disposition == win::kOpenAlways ? err::kAlreadyExists : 0;
  OpenFile entry;
  entry.memory = bytes;
  entry.readable = true;
  return Store(entry);
}

bool FileSize(const OpenFile& entry, std::int64_t* size) {
  if (entry.memory) {
    *size = static_cast<std::int64_t>(entry.memory->size());
    return true;
  }
  struct stat info {};
  if (::fstat(entry.fd, &info) != 0) return Fail(standin::WindowsErrorFromErrno(errno));
  *size = info.st_size;
  return true;
}

// Copies what the memory holds at the file's position, up to `count` bytes.
std::uint32_t ReadMemory(const OpenFile& entry, void* buffer, std::uint32_t count) {
  const std::span<const std::uint8_t>& bytes = *entry.memory;
  if (entry.position >= static_cast<std::int64_t>(bytes.size())) return 0;
  auto start = static_cast<std::size_t>(entry.position);
  auto done = static_cast<std::uint32_t>(std::min<std::size_t>(count, bytes.size() - start));
  if (done > 0) std::memcpy(buffer, bytes.data() + start, done);
  return done;
}

// Windows reports a missing folder along the path as 3, a missing file as 2.
std::uint32_t MissingError(const std::string& host) {
  std::size_t slash = host.rfind('/');
  if (slash == std::string::npos || slash == 0) return err::kFileNotFound;
  struct stat info {};
  bool folderExists = ::stat(host.substr(0, slash).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  return folderExists ? err::kFileNotFound : err::kPathNotFound;
}

int OpenFlags(std::uint32_t access, std::uint32_t disposition) {
  bool read = access & win::kGenericRead, write = access & win::kGenericWrite;
  int flags = write ? (read ? O_RDWR : O_WRONLY) : O_RDONLY;
  switch (disposition) {
    case win::kCreateNew: return flags | O_CREAT | O_EXCL;
    case win::kCreateAlways: return flags | O_CREAT | O_TRUNC;
    case win::kOpenAlways: return flags | O_CREAT;
    case 5: return flags | O_TRUNC;  // TRUNCATE_EXISTING
    default: return flags;
  }
}
}  // namespace

std::uint32_t GetLastError() { return lastError; }
void SetLastError(std::uint32_t code) { lastError = code; }

FileHandle CreateFileA(const std::string& name, std::uint32_t access, std::uint32_t /*share*/,
                       std::uint32_t disposition, std::uint32_t /*flags*/) {
  if (disposition < win::kCreateNew || disposition > 5) {
    Fail(err::kInvalidParameter);
    return kInvalidFileHandle;
  }
  if (const auto* bytes = FindMemoryFile(name)) return OpenMemoryFile(*bytes, access, disposition);
  std::optional<std::string> host = standin::ToHostPath(name);
  if (!host || host->empty()) {
    Fail(err::kPathNotFound);
    return kInvalidFileHandle;
  }
  struct stat before {};
  bool existed = (disposition == win::kOpenAlways || disposition == win::kCreateAlways) &&
                 ::stat(host->c_str(), &before) == 0;
  int fd = ::open(host->c_str(), OpenFlags(access, disposition) | O_CLOEXEC, 0644);
  if (fd < 0) {
    int error = errno;
    Fail(error == ENOENT ? MissingError(*host) : standin::WindowsErrorFromErrno(error));
    return kInvalidFileHandle;
  }
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    // Windows opens a folder only with backup semantics; a plain open is refused.
    ::close(fd);
    Fail(err::kAccessDenied);
    return kInvalidFileHandle;
  }
  lastError = existed ? err::kAlreadyExists : 0;  // as Windows reports it
  OpenFile entry;
  entry.fd = fd;
  entry.readable = (access & win::kGenericRead) != 0 || access == 0;
  entry.writable = (access & win::kGenericWrite) != 0;
  return Store(entry);
}

bool ReadFile(FileHandle file, void* buffer, std::uint32_t count, std::uint32_t* read) {
  *read = 0;
  OpenFile* entry = Lookup(file);
  if (!entry) return Fail(err::kInvalidHandle);
  if (!entry->readable) return Fail(err::kAccessDenied);
  if (entry->memory) {
    *read = ReadMemory(*entry, buffer, count);
    entry->position += *read;
    return true;
  }
  auto* bytes = static_cast<char*>(buffer);
  while (*read < count) {
    ssize_t got = ::pread(entry->fd, bytes + *read, count - *read, entry->position + *read);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Fail(standin::WindowsErrorFromErrno(errno));
    }
    if (got == 0) break;  // end of file: a short read is no failure
    *read += static_cast<std::uint32_t>(got);
  }
  entry->position += *read;
  return true;
}

bool WriteFile(FileHandle file, const void* buffer, std::uint32_t count, std::uint32_t* written) {
  *written = 0;
  OpenFile* entry = Lookup(file);
  if (!entry) return Fail(err::kInvalidHandle);
  if (!entry->writable) return Fail(err::kAccessDenied);
  const auto* bytes = static_cast<const char*>(buffer);
  while (*written < count) {
    ssize_t put = ::pwrite(entry->fd, bytes + *written, count - *written,
                           entry->position + *written);
    if (put < 0) {
      if (errno == EINTR) continue;
      return Fail(standin::WindowsErrorFromErrno(errno));
    }
    *written += static_cast<std::uint32_t>(put);
  }
  entry->position += *written;
  return true;
}

bool SetFilePointerEx(FileHandle file, std::int64_t distance, std::int64_t* newPosition,
                      std::uint32_t moveMethod) {
  OpenFile* entry = Lookup(file);
  if (!entry) return Fail(err::kInvalidHandle);
  std::int64_t base = 0;
  if (moveMethod == win::kFileCurrent) {
    base = entry->position;
  } else if (moveMethod == win::kFileEnd) {
    if (!FileSize(*entry, &base)) return false;
  } else if (moveMethod != win::kFileBegin) {
    return Fail(err::kInvalidParameter);
  }
  if ((distance > 0 && base > INT64_MAX - distance) || base + distance < 0)
    return Fail(err::kNegativeSeek);
  entry->position = base + distance;
  if (newPosition) *newPosition = entry->position;
  return true;
}

bool GetFileSizeEx(FileHandle file, std::int64_t* size) {
  *size = 0;
  OpenFile* entry = Lookup(file);
  if (!entry) return Fail(err::kInvalidHandle);
  return FileSize(*entry, size);
}

bool CloseHandle(FileHandle file) {
  OpenFile* entry = Lookup(file);
  if (!entry) return Fail(err::kInvalidHandle);
  if (entry->fd >= 0) ::close(entry->fd);
  *entry = OpenFile{};
  return true;
}

std::uint32_t GetFileAttributesA(const std::string& name) {
  std::optional<std::string> host = standin::ToHostPath(name);
  struct stat info {};
  if (!host || ::stat(host->c_str(), &info) != 0) {
    Fail(host ? (errno == ENOENT ? MissingError(*host) : standin::WindowsErrorFromErrno(errno))
              : err::kPathNotFound);
    return win::kInvalidFileAttributes;
  }
  if (S_ISDIR(info.st_mode)) return win::kDirectoryAttribute;
  bool readOnly = ::access(host->c_str(), W_OK) != 0;
  return readOnly ? 0x1u /* READONLY */ : 0x20u /* ARCHIVE */;
}

std::string FormatMessageA(std::uint32_t code) {
  // The system's own wording for the errors the stand-ins produce, with the CR LF
  // that the system message table ends each text with.
  static const std::map<std::uint32_t, const char*> messages = {
      {1, "Incorrect function."},
      {2, "The system cannot find the file specified."},
      {3, "The system cannot find the path specified."},
      {4, "The system cannot open the file."},
      {5, "Access is denied."},
      {6, "The handle is invalid."},
      {31, "A device attached to the system is not functioning."},
      {80, "The file exists."},
      {87, "The parameter is incorrect."},
      {127, "The specified procedure could not be found."},
      {131, "An attempt was made to move the file pointer before the beginning of the file."},
      {206, "The filename or extension is too long."},
      {234, "More data is available."},
  };
  auto found = messages.find(code);
  if (found == messages.end()) {
    lastError = 317;  // ERROR_MR_MID_NOT_FOUND
    return {};
  }
  return std::string(found->second) + "\r\n";
}

namespace standin {
MemoryFile::MemoryFile(std::string name, std::span<const std::uint8_t> bytes)
    : name_(std::move(name)) {
  memoryFiles.emplace_back(this, bytes);
}

MemoryFile::~MemoryFile() {
  std::erase_if(memoryFiles, [this](const auto& file) { return file.first == this; });
}
}  // namespace standin

// A POSIX system has no file-system redirection: the switch is absent.
bool Wow64DisableWow64FsRedirection(void** /*token*/) { return Fail(127); }
bool Wow64RevertWow64FsRedirection(void* /*token*/) { return Fail(127); }

}  // namespace platform
