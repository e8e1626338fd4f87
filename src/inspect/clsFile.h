#pragma once
// clsFile: the program's one way of reading and writing files as bytes. One object
// owns at most one open file, with a 64-bit cursor; positions and sizes cross the
// interface as doubles holding whole byte counts, -1 standing for "no file".
// Failures never unwind the caller: the system's error goes to CurrentError and the
// operation finishes with what it has (-1, or the byte count actually transferred).
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/FileApi.h"

// A 64-bit count of 1/10000 units, stored as 8 bytes.
struct Currency {
  std::int64_t scaled = 0;
};

class clsFile {
 public:
  static constexpr std::uint32_t kDefaultAccess =
      platform::win::kGenericRead | platform::win::kGenericWrite;
  static constexpr std::uint32_t kDefaultShare = platform::win::kShareRead;
  static constexpr std::uint32_t kDefaultBuffering = platform::win::kSequentialScan;

  clsFile();
  ~clsFile();
  clsFile(const clsFile&) = delete;
  clsFile& operator=(const clsFile&) = delete;

  // The raw handle; -1 when no file is open. Owned by this object.
  platform::FileHandle hFile() const { return hFile_.Get(); }

  // When true, every open switches the thread's file-system redirection off around it.
  bool Wow64Bypass = false;

  double Cursor();
  void Cursor(double NewLocation);
  double Length();
  void CloseFile();

  void NewFile(const std::string& Filename, std::uint32_t DesiredAccess = kDefaultAccess,
               std::uint32_t ShareAccess = kDefaultShare,
               std::uint32_t Buffering = kDefaultBuffering);
  void NewFileNoOverwrite(const std::string& Filename,
                          std::uint32_t DesiredAccess = kDefaultAccess,
                          std::uint32_t ShareAccess = kDefaultShare,
                          std::uint32_t Buffering = kDefaultBuffering);
  void OpenFile(const std::string& Filename, std::uint32_t DesiredAccess = kDefaultAccess,
                std::uint32_t ShareAccess = kDefaultShare,
                std::uint32_t Buffering = kDefaultBuffering);
  void OpenCreateFile(const std::string& Filename, std::uint32_t DesiredAccess = kDefaultAccess,
                      std::uint32_t ShareAccess = kDefaultShare,
                      std::uint32_t Buffering = kDefaultBuffering);
  const std::string& GetFilename() const { return fileName_; }

  // One value at the cursor, its width chosen by its type (little-endian integers,
  // IEEE floats, a text as many 8-bit bytes as it has characters).
  void ReadValue(std::int16_t& Buffer);
  void ReadValue(std::int32_t& Buffer);
  void ReadValue(float& Buffer);
  void ReadValue(double& Buffer);
  void ReadValue(Currency& Buffer);
  void ReadValue(std::uint8_t& Buffer);
  void ReadValue(std::string& Buffer);
  void WriteValue(std::int16_t Buffer);
  void WriteValue(std::int32_t Buffer);
  void WriteValue(float Buffer);
  void WriteValue(double Buffer);
  void WriteValue(Currency Buffer);
  void WriteValue(std::uint8_t Buffer);
  void WriteValue(const std::string& Buffer);

  // Whole arrays in one system call each; a short read at the end of the file is no
  // failure and leaves the elements past it as they were.
  std::uint32_t ReadBytes(std::span<std::uint8_t> DataBuffer);
  std::uint32_t ReadIntegers(std::span<std::int16_t> DataBuffer);
  std::uint32_t ReadLongs(std::span<std::int32_t> DataBuffer);
  std::uint32_t ReadSingles(std::span<float> DataBuffer);
  std::uint32_t WriteBytes(std::span<const std::uint8_t> DataBuffer);
  void WriteIntegers(std::span<const std::int16_t> DataBuffer);
  void WriteLongs(std::span<const std::int32_t> DataBuffer);
  void WriteSingles(std::span<const float> DataBuffer);
  std::uint32_t ReadToPtr(void* DestPtr, std::uint32_t DestLength);
  std::uint32_t WriteFromPtr(const void* SourcePtr, std::uint32_t SourceLength);
  std::uint32_t BytesTransferred() const { return bytesTransferred_; }

  bool Wow64Present() const { return wow64Present_; }
  void Wow64DisableRedirect();
  void Wow64EnableRedirect();

 private:
  void Open(const std::string& name, std::uint32_t access, std::uint32_t share,
            std::uint32_t disposition, std::uint32_t buffering);
  void RaiseSystemError();
  void RaiseArrayError();
  std::uint32_t Read(void* destination, std::uint64_t count);
  std::uint32_t Write(const void* source, std::uint64_t count);
  template <typename T>
  void ReadLittleEndian(T& value);
  template <typename T>
  void WriteLittleEndian(T value);

  platform::FileOwner hFile_;
  std::string fileName_;
  bool wow64Present_ = false;
  // Held between Wow64DisableRedirect and Wow64EnableRedirect (or the end of the object).
  std::optional<platform::RedirectionOff> redirectionOff_;
  std::uint32_t bytesTransferred_ = 0xFFFFFFFFu;
};

// Removes every NUL and every CR LF pair from a system message text.
std::string CleanSystemMessage(std::string text);
