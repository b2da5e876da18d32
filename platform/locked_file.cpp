#include "platform/locked_file.h"

#include <algorithm>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#endif

namespace quillet {

namespace {

// How long to sleep between two tries for a lock another program holds.
constexpr std::chrono::milliseconds kRetryPause{10};

}  // namespace

bool LockedFile::Fail(std::string reason) {
  if (error_.empty()) error_ = reason.empty() ? "unknown error" : std::move(reason);
  return false;
}

#if defined(_WIN32)

namespace {

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

// The system's words for an error, in UTF-8 whatever the user's code page.
std::string SystemMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::string text;
  if (n && buffer) {
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), text.data(), bytes, nullptr,
                        nullptr);
  } else {
    text = "error " + std::to_string(code);
  }
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  return text;
}

HANDLE AsHandle(void* handle) { return static_cast<HANDLE>(handle); }

}  // namespace

LockedFile::~LockedFile() { Close(); }

bool LockedFile::Open(const std::string& path, std::chrono::milliseconds patience) {
  HANDLE h = CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return Fail(SystemMessage(GetLastError()));
  handle_ = h;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    OVERLAPPED whole{};
    if (LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                   &whole)) {
      return true;
    }
    const DWORD code = GetLastError();
    if (code != ERROR_LOCK_VIOLATION && code != ERROR_IO_PENDING) return Fail(SystemMessage(code));
    if (std::chrono::steady_clock::now() >= deadline) return Fail(kFileLockedReason);
    std::this_thread::sleep_for(kRetryPause);
  }
}

bool LockedFile::HoldsText() {
  LARGE_INTEGER size{};
  if (!handle_ || !GetFileSizeEx(AsHandle(handle_), &size)) return false;
  return size.QuadPart > 0;
}

bool LockedFile::EndsWith(std::string_view text) {
  std::string crlf;
  for (char ch : text) {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  LARGE_INTEGER size{};
  if (!handle_ || !GetFileSizeEx(AsHandle(handle_), &size)) return false;
  if (size.QuadPart < static_cast<LONGLONG>(crlf.size())) return false;
  if (crlf.empty()) return true;
  OVERLAPPED at{};
  const ULONGLONG offset = static_cast<ULONGLONG>(size.QuadPart) - crlf.size();
  at.Offset = static_cast<DWORD>(offset);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  std::string tail(crlf.size(), '\0');
  DWORD read = 0;
  if (!ReadFile(AsHandle(handle_), tail.data(), static_cast<DWORD>(tail.size()), &read, &at)) {
    return false;
  }
  return read == tail.size() && tail == crlf;
}

bool LockedFile::Truncate() {
  if (!handle_) return false;
  if (GetFileType(AsHandle(handle_)) != FILE_TYPE_DISK) return true;
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(AsHandle(handle_), zero, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(AsHandle(handle_))) {
    return Fail(SystemMessage(GetLastError()));
  }
  return true;
}

bool LockedFile::Append(std::string_view text) {
  if (!handle_ || !error_.empty()) return false;
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);
  for (char ch : text) {
    if (ch == '\n') crlf += '\r';
    crlf += ch;
  }
  LARGE_INTEGER zero{};
  if (!SetFilePointerEx(AsHandle(handle_), zero, nullptr, FILE_END)) {
    return Fail(SystemMessage(GetLastError()));
  }
  std::size_t done = 0;
  while (done < crlf.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(crlf.size() - done, 1u << 20));
    if (!WriteFile(AsHandle(handle_), crlf.data() + done, chunk, &written, nullptr)) {
      return Fail(SystemMessage(GetLastError()));
    }
    if (written == 0) return Fail(SystemMessage(ERROR_DISK_FULL));
    done += written;
  }
  return true;
}

bool LockedFile::Close() {
  if (!handle_) return error_.empty();
  HANDLE h = AsHandle(handle_);
  handle_ = nullptr;
  OVERLAPPED whole{};
  UnlockFileEx(h, 0, MAXDWORD, MAXDWORD, &whole);
  if (!CloseHandle(h)) Fail(SystemMessage(GetLastError()));
  return error_.empty();
}

#else

LockedFile::~LockedFile() { Close(); }

bool LockedFile::Open(const std::string& path, std::chrono::milliseconds patience) {
  // Opened for reading too, so that what the file ends with can be checked; a file that may be
  // written but not read is still written to.
  for (int access : {O_RDWR, O_WRONLY}) {
    do {
      fd_ = ::open(path.c_str(), access | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ >= 0 || errno != EACCES) break;
  }
  if (fd_ < 0) return Fail(std::strerror(errno));
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
    const int code = errno;
    // A file system without locks still takes the text; the lock only keeps writers apart.
    if (code == ENOLCK || code == EOPNOTSUPP || code == ENOSYS || code == EINVAL) return true;
    if (code != EWOULDBLOCK && code != EINTR) return Fail(std::strerror(code));
    if (std::chrono::steady_clock::now() >= deadline) return Fail(kFileLockedReason);
    std::this_thread::sleep_for(kRetryPause);
  }
}

bool LockedFile::HoldsText() {
  struct stat info {};
  return fd_ >= 0 && ::fstat(fd_, &info) == 0 && info.st_size > 0;
}

bool LockedFile::EndsWith(std::string_view text) {
  struct stat info {};
  if (fd_ < 0 || ::fstat(fd_, &info) != 0) return false;
  if (info.st_size < static_cast<off_t>(text.size())) return false;
  std::string tail(text.size(), '\0');
  std::size_t done = 0;
  while (done < tail.size()) {
    const off_t at = info.st_size - static_cast<off_t>(tail.size()) + static_cast<off_t>(done);
    const ssize_t n = ::pread(fd_, tail.data() + done, tail.size() - done, at);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return tail == text;
}

bool LockedFile::Truncate() {
  if (fd_ < 0) return false;
  struct stat info {};
  if (::fstat(fd_, &info) != 0) return Fail(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return true;
  if (::ftruncate(fd_, 0) != 0) return Fail(std::strerror(errno));
  return true;
}

bool LockedFile::Append(std::string_view text) {
  if (fd_ < 0 || !error_.empty()) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(std::strerror(errno));
    }
    if (n == 0) return Fail(std::strerror(ENOSPC));
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool LockedFile::Close() {
  if (fd_ < 0) return error_.empty();
  const int fd = fd_;
  fd_ = -1;
  // Closing the descriptor releases the lock.
  if (::close(fd) != 0 && errno != EINTR) Fail(std::strerror(errno));
  return error_.empty();
}

#endif

}  // namespace quillet
