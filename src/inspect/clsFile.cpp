#include "inspect/clsFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

#include "platform/CurrentError.h"

using namespace platform;

namespace {
constexpr double kNoFile = -1;
constexpr std::int32_t kSubscriptOutOfRange = ErrorNumber::SubscriptOutOfRange;
}  // namespace

std::string CleanSystemMessage(std::string text) {
  std::string clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    clean += text[i];
  }
  return clean;
}

clsFile::clsFile() {
  // Probe the redirection switch once: switch it off into a slot with all bits set and
  // restore it at once. No switch, a refusal, or an untouched slot means no WOW64.
  SetLastError(0);
  bool tokenGiven = RedirectionOff().TokenGiven();
  wow64Present_ = tokenGiven && GetLastError() == 0;
  SetLastError(0);
}

clsFile::~clsFile() { CloseFile(); }

void clsFile::RaiseSystemError() {
  std::uint32_t code = GetLastError();
  if (code == 0) return;
  CurrentError::Raise(static_cast<std::int32_t>(code), CleanSystemMessage(FormatMessageA(code)));
}

void clsFile::RaiseArrayError() {
  if (GetLastError() != 0)
    RaiseSystemError();
  else
    CurrentError::Raise(kSubscriptOutOfRange, "Subscript out of range");
}

double clsFile::Cursor() {
  if (!hFile_) return kNoFile;
  std::int64_t position = 0;
  SetFilePointerEx(hFile_.Get(), 0, &position, win::kFileCurrent);
  return static_cast<double>(position);
}

void clsFile::Cursor(double NewLocation) {
  if (!(NewLocation >= 0)) return;  // negative (or not a number): ignored, no error
  double rounded = std::nearbyint(NewLocation);
  constexpr double kMax = 9223372036854774784.0;  // the largest double below 2^63
  std::int64_t target = rounded >= kMax ? std::numeric_limits<std::int64_t>::max()
                                        : static_cast<std::int64_t>(rounded);
  if (!SetFilePointerEx(hFile_.Get(), target, nullptr, win::kFileBegin)) RaiseSystemError();
}

double clsFile::Length() {
  if (!hFile_) return kNoFile;
  std::int64_t size = 0;
  SetLastError(0);
  GetFileSizeEx(hFile_.Get(), &size);
  if (GetLastError() != 0) {
    RaiseSystemError();
    return kNoFile;
  }
  return static_cast<double>(size);
}

void clsFile::CloseFile() {
  hFile_.Reset();
  fileName_.clear();
}

void clsFile::Open(const std::string& name, std::uint32_t access, std::uint32_t share,
                   std::uint32_t disposition, std::uint32_t buffering) {
  CloseFile();
  // The switch is restored within this call, success or not, so no other code of the
  // thread ever runs with redirection off because of an open.
  std::optional<RedirectionOff> redirection;
  if (Wow64Bypass) redirection.emplace();
  hFile_.Reset(CreateFileA(name, access, share, disposition, buffering));
  if (hFile_)
    fileName_ = name;
  else
    RaiseSystemError();
}

void clsFile::NewFile(const std::string& Filename, std::uint32_t DesiredAccess,
                      std::uint32_t ShareAccess, std::uint32_t Buffering) {
  Open(Filename, DesiredAccess, ShareAccess, win::kCreateAlways, Buffering);
}

void clsFile::NewFileNoOverwrite(const std::string& Filename, std::uint32_t DesiredAccess,
                                 std::uint32_t ShareAccess, std::uint32_t Buffering) {
  Open(Filename, DesiredAccess, ShareAccess, win::kCreateNew, Buffering);
}

void clsFile::OpenFile(const std::string& Filename, std::uint32_t DesiredAccess,
                       std::uint32_t ShareAccess, std::uint32_t Buffering) {
  Open(Filename, DesiredAccess, ShareAccess, win::kOpenExisting, Buffering);
}

void clsFile::OpenCreateFile(const std::string& Filename, std::uint32_t DesiredAccess,
                             std::uint32_t ShareAccess, std::uint32_t Buffering) {
  Open(Filename, DesiredAccess, ShareAccess, win::kOpenAlways, Buffering);
}

std::uint32_t clsFile::Read(void* destination, std::uint64_t count) {
  if (count == 0 || count > std::numeric_limits<std::uint32_t>::max()) {
    RaiseArrayError();
    return 0;
  }
  std::uint32_t done = 0;
  if (!ReadFile(hFile_.Get(), destination, static_cast<std::uint32_t>(count), &done))
    RaiseSystemError();
  bytesTransferred_ = done;
  return done;
}

std::uint32_t clsFile::Write(const void* source, std::uint64_t count) {
  if (count == 0 || count > std::numeric_limits<std::uint32_t>::max()) {
    RaiseArrayError();
    return 0;
  }
  std::uint32_t done = 0;
  if (!WriteFile(hFile_.Get(), source, static_cast<std::uint32_t>(count), &done)) RaiseSystemError();
  return done;
}

// Values are kept little-endian in the file whatever the host's byte order.
template <typename T>
void clsFile::ReadLittleEndian(T& value) {
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  std::uint32_t done = 0;
  if (!ReadFile(hFile_.Get(), bytes, sizeof(T), &done)) RaiseSystemError();
  if (done < sizeof(T)) return;  // a value cut by the end of the file is left as it was
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  std::memcpy(&value, bytes, sizeof(T));
}

template <typename T>
void clsFile::WriteLittleEndian(T value) {
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  if constexpr (std::endian::native == std::endian::big) std::reverse(bytes, bytes + sizeof(T));
  std::uint32_t done = 0;
  if (!WriteFile(hFile_.Get(), bytes, sizeof(T), &done)) RaiseSystemError();
}

void clsFile::ReadValue(std::int16_t& Buffer) { ReadLittleEndian(Buffer); }
void clsFile::ReadValue(std::int32_t& Buffer) { ReadLittleEndian(Buffer); }
void clsFile::ReadValue(float& Buffer) { ReadLittleEndian(Buffer); }
void clsFile::ReadValue(double& Buffer) { ReadLittleEndian(Buffer); }
void clsFile::ReadValue(Currency& Buffer) { ReadLittleEndian(Buffer.scaled); }
void clsFile::ReadValue(std::uint8_t& Buffer) { ReadLittleEndian(Buffer); }
void clsFile::WriteValue(std::int16_t Buffer) { WriteLittleEndian(Buffer); }
void clsFile::WriteValue(std::int32_t Buffer) { WriteLittleEndian(Buffer); }
void clsFile::WriteValue(float Buffer) { WriteLittleEndian(Buffer); }
void clsFile::WriteValue(double Buffer) { WriteLittleEndian(Buffer); }
void clsFile::WriteValue(Currency Buffer) { WriteLittleEndian(Buffer.scaled); }
void clsFile::WriteValue(std::uint8_t Buffer) { WriteLittleEndian(Buffer); }

void clsFile::ReadValue(std::string& Buffer) {
  // Reads exactly as many bytes as the text has characters; bytes past the end of
  // the file stay as the caller sized them (usually NUL).
  if (Buffer.empty()) return;
  std::uint32_t done = 0;
  if (!ReadFile(hFile_.Get(), Buffer.data(), static_cast<std::uint32_t>(Buffer.size()), &done))
    RaiseSystemError();
}

void clsFile::WriteValue(const std::string& Buffer) {
  if (Buffer.empty()) return;
  std::uint32_t done = 0;
  if (!WriteFile(hFile_.Get(), Buffer.data(), static_cast<std::uint32_t>(Buffer.size()), &done))
    RaiseSystemError();
}

std::uint32_t clsFile::ReadBytes(std::span<std::uint8_t> DataBuffer) {
  return Read(DataBuffer.data(), DataBuffer.size_bytes());
}
std::uint32_t clsFile::ReadIntegers(std::span<std::int16_t> DataBuffer) {
  return Read(DataBuffer.data(), DataBuffer.size_bytes());
}
std::uint32_t clsFile::ReadLongs(std::span<std::int32_t> DataBuffer) {
  return Read(DataBuffer.data(), DataBuffer.size_bytes());
}
std::uint32_t clsFile::ReadSingles(std::span<float> DataBuffer) {
  return Read(DataBuffer.data(), DataBuffer.size_bytes());
}
std::uint32_t clsFile::WriteBytes(std::span<const std::uint8_t> DataBuffer) {
  return Write(DataBuffer.data(), DataBuffer.size_bytes());
}
void clsFile::WriteIntegers(std::span<const std::int16_t> DataBuffer) {
  Write(DataBuffer.data(), DataBuffer.size_bytes());
}
void clsFile::WriteLongs(std::span<const std::int32_t> DataBuffer) {
  Write(DataBuffer.data(), DataBuffer.size_bytes());
}
void clsFile::WriteSingles(std::span<const float> DataBuffer) {
  Write(DataBuffer.data(), DataBuffer.size_bytes());
}

std::uint32_t clsFile::ReadToPtr(void* DestPtr, std::uint32_t DestLength) {
  std::uint32_t done = 0;
  if (!ReadFile(hFile_.Get(), DestPtr, DestLength, &done)) RaiseSystemError();
  bytesTransferred_ = done;
  return done;
}

std::uint32_t clsFile::WriteFromPtr(const void* SourcePtr, std::uint32_t SourceLength) {
  std::uint32_t done = 0;
  if (!WriteFile(hFile_.Get(), SourcePtr, SourceLength, &done)) RaiseSystemError();
  bytesTransferred_ = done;
  return done;
}

void clsFile::Wow64DisableRedirect() {
  if (!wow64Present_ || redirectionOff_) return;
  redirectionOff_.emplace();
  if (!redirectionOff_->Off()) redirectionOff_.reset();
}

// Restores only what this object switched off.
void clsFile::Wow64EnableRedirect() { redirectionOff_.reset(); }
