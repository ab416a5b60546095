// Every file is written through FileWriter: what it replaces, what it writes into and what it
// refuses, on real special files, and that a failure leaves neither a file nor a descriptor.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "core/FileError.h"
#include "core/FileWriter.h"
#include "core/ProtectedFiles.h"
#include "tests/support/DeviceFiles.h"
#include "tests/support/FailureOf.h"
#include "tests/support/FifoReader.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextEdits.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;
using Targets = FileWriter::Targets;

std::size_t openDescriptors() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

struct stat statOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

// The failure's description, or "" when the text was written.
std::string failureOf(const std::string& path, Targets targets, const std::string& text = "new") {
  return test::failureOf<FileError>([&] { FileWriter::writeWhole(path, text, targets); });
}

class FileWriterTest : public ::testing::Test {
 protected:
  std::vector<std::string> temporaries() const {
    std::vector<std::string> found;
    for (const auto& f : fs::recursive_directory_iterator(folder.path()))
      if (f.path().filename().string().rfind(".tw-", 0) == 0) found.push_back(f.path());
    return found;
  }

  TempFolder folder;
  std::string file = folder.file("out.txt");
  DeviceFiles devices{folder};
};

TEST_F(FileWriterTest, RegularFilesAreReplacedWholeKeepingTheirModeAndLinks) {
  const mode_t mask = ::umask(027);
  EXPECT_EQ(failureOf(file, Targets::Files), "");
  EXPECT_EQ(statOf(file).st_mode & 07777, 0640u);
  ::umask(mask);
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
  fs::create_symlink("out.txt", folder.file("link"));
  EXPECT_EQ(failureOf(folder.file("link"), Targets::FilesAndStreams, "through the link"), "");
  EXPECT_TRUE(fs::is_symlink(folder.file("link")));
  EXPECT_EQ(readBytes(file), "through the link");
  EXPECT_EQ(statOf(file).st_mode & 07777, 0604u);
  EXPECT_TRUE(temporaries().empty());
}

// A shell's ">>" writes into these; a database copy cannot go there at all.
TEST_F(FileWriterTest, StreamsAreWrittenIntoAndNeverReplaced) {
  int pipeEnds[2];
  ASSERT_EQ(::pipe(pipeEnds), 0);
  fs::create_symlink("/proc/self/fd/" + std::to_string(pipeEnds[1]), folder.file("to-pipe"));
  const int logFd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  ::write(logFd, "kept ", 5);
  fs::create_symlink("/proc/self/fd/" + std::to_string(logFd), folder.file("to-log"));
  const ino_t logInode = statOf(file).st_ino;
  ::mkfifo(folder.file("fifo").c_str(), 0600);
  const FifoReader fifo(folder.file("fifo"));

  EXPECT_EQ(failureOf(folder.file("fifo"), Targets::FilesAndStreams, "into the fifo"), "");
  EXPECT_EQ(fifo.what(), "into the fifo");
  EXPECT_EQ(failureOf(folder.file("to-pipe"), Targets::FilesAndStreams, "into the pipe"), "");
  ::close(pipeEnds[1]);
  char got[32] = {};
  EXPECT_EQ(::read(pipeEnds[0], got, sizeof got), 13);
  EXPECT_STREQ(got, "into the pipe");
  ::close(pipeEnds[0]);
  EXPECT_EQ(failureOf(folder.file("to-log"), Targets::FilesAndStreams, "and added"), "");
  ::close(logFd);
  EXPECT_EQ(readBytes(file), "kept and added");
  EXPECT_EQ(statOf(file).st_ino, logInode);
  EXPECT_EQ(failureOf(devices.null(), Targets::FilesAndStreams), "");
  EXPECT_TRUE(S_ISCHR(statOf(devices.null()).st_mode));
  EXPECT_TRUE(S_ISFIFO(statOf(folder.file("fifo")).st_mode));
  EXPECT_TRUE(temporaries().empty());
}

TEST_F(FileWriterTest, WhatCannotBeWrittenIsRefusedLeavingNothingBehind) {
  ::mkfifo(folder.file("fifo").c_str(), 0600);
  const FifoReader keepsWritersFromWaiting(folder.file("fifo"));
  fs::create_directory(folder.file("folder"));
  fs::create_symlink("nowhere", folder.file("dangling"));
  fs::create_symlink("/proc/self/fd/1", folder.file("stdout"));
  const std::string store = folder.file("store.db");
  writeBytes(store, "a store");
  ProtectedFiles::add(store);
  const struct {
    std::string path;
    Targets targets;
    const char* cause;
  } cases[] = {
      {devices.full(), Targets::FilesAndStreams, "the disk is full"},
      {devices.full(), Targets::Files, "it is a device, not a file"},
      {folder.file("fifo"), Targets::Files, "it is a pipe (FIFO), not a file"},
      {folder.file("stdout"), Targets::Files, "it is one of this program's descriptors"},
      {folder.file("folder"), Targets::FilesAndStreams, "it is a folder, not a file"},
      {folder.file("dangling"), Targets::FilesAndStreams, "a link to a file that does not exist"},
      {folder.file("missing/out.txt"), Targets::Files, "its folder does not exist"},
      {folder.file("store.db-wal"), Targets::FilesAndStreams, "the store itself or one of its"},
      {"", Targets::Files, "no file was named"},
  };
  const std::size_t descriptors = openDescriptors();
  for (const auto& c : cases) {
    const std::string failure = failureOf(c.path, c.targets);
    EXPECT_TRUE(has(failure, c.cause)) << c.path << ": " << failure;
    EXPECT_TRUE(has(failure, "\"" + c.path + "\" cannot be written")) << failure;
    EXPECT_EQ(openDescriptors(), descriptors) << c.path;
  }
  ProtectedFiles::remove(store);
  EXPECT_TRUE(S_ISCHR(statOf(devices.full()).st_mode));
  EXPECT_TRUE(fs::is_symlink(folder.file("dangling")));
  EXPECT_FALSE(fs::exists(folder.file("nowhere")));
  EXPECT_EQ(readBytes(store), "a store");
  EXPECT_TRUE(temporaries().empty());
}

// A full disk (a small file system of its own, which needs root to mount).
TEST_F(FileWriterTest, AFullDiskFailsTheWriteAndKeepsTheOldFile) {
  const std::string small = folder.file("small");
  fs::create_directory(small);
  if (::mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "no small file system can be mounted here (needs root)";
  const std::string target = small + "/report.txt";
  writeBytes(target, "the old report");
  const std::size_t descriptors = openDescriptors();
  const std::string failure = failureOf(target, Targets::Files, std::string(1 << 20, 'x'));
  EXPECT_TRUE(has(failure, "the disk is full")) << failure;
  EXPECT_EQ(readBytes(target), "the old report");
  EXPECT_TRUE(temporaries().empty());
  EXPECT_EQ(openDescriptors(), descriptors);
  ::umount(small.c_str());
}

}  // namespace
}  // namespace tw::test
