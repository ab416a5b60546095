#pragma once

#include <string>
#include <string_view>

namespace tw {

// A file written whole or not at all: the one way every command and window writes a file.
// The bytes go to a temporary file beside the target (".tw-" and random letters), which
// commit() flushes to disk, renames over the target and makes durable by syncing the folder.
// A target that exists keeps its permission bits; a link keeps pointing where it points, and
// the regular file it leads to is replaced. Without commit() the target is untouched, the
// temporary file is removed and no descriptor is left open, whatever failed.
//
// Only a regular file or a new name is replaced. A pipe (FIFO), a character device (/dev/null,
// a terminal) and a link to one of the process's descriptors (/dev/stdout, /proc/self/fd/1) are
// written into, appending as a shell's ">>" would, where the caller takes streams; otherwise
// they are refused, as folders, block devices, sockets, links that lead nowhere and the files
// of a store this process has open (ProtectedFiles) always are. Every failure throws FileError
// naming the file and the cause in plain words.
class FileWriter {
 public:
  enum class Targets {
    // A file only: a database copy, which is no stream.
    Files,
    // A file, or a stream written into: text.
    FilesAndStreams,
  };

  FileWriter(std::string path, Targets targets);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  void write(std::string_view bytes);
  // The temporary file, for content another library writes by its name (an SQLite backup)
  // instead of write(); empty for a stream. Nothing may have it open at commit().
  const std::string& temporaryPath() const { return temporary_; }
  void commit();

  // The whole text in one go.
  static void writeWhole(const std::string& path, std::string_view bytes, Targets targets);

 private:
  void openTemporary(unsigned mode, bool replacing);
  void openStream();
  void refuseStoreFiles();
  void flush();
  void closeFile();
  void syncFolder();
  // Closes and removes what was opened; never throws.
  void discard() noexcept;
  [[noreturn]] void fail(const std::string& cause);

  std::string path_;
  // The regular file replaced (a link's target resolved); empty for a stream.
  std::string target_;
  std::string temporary_;
  std::string buffer_;
  int fd_ = -1;
};

}  // namespace tw
