#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quillet {

// A file held open for writing at its end under an exclusive advisory lock, so that two
// programs adding to one file never mix their texts: flock on POSIX systems, LockFileEx on
// Windows. The lock lasts until Close or destruction. Every operation returns false on failure
// and keeps the first failure's reason, in the system's words, in Error().
class LockedFile {
 public:
  LockedFile() = default;
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // Opens `path` (UTF-8), creating it when missing, and takes the lock, waiting up to
  // `patience` for another program to release it.
  bool Open(const std::string& path, std::chrono::milliseconds patience);

  // Whether the file holds anything.
  bool HoldsText();

  // Whether the file ends with `text` as Append would have written it (CR LF on Windows). False
  // also when the file cannot be read back.
  bool EndsWith(std::string_view text);

  // Empties the file (a device such as /dev/null is left as it is).
  bool Truncate();

  // Writes at the end. On Windows each line feed becomes CR LF, as a text-mode stream writes it.
  bool Append(std::string_view text);

  // Releases the lock and closes the file; a failure to close is a failure to write.
  bool Close();

  const std::string& Error() const { return error_; }

 private:
  bool Fail(std::string reason);

#if defined(_WIN32)
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
  std::string error_;
};

// The text of the report-file error: the file is busy.
inline constexpr char kFileLockedReason[] = "The file is in use by another program.";

}  // namespace quillet
