#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace tw::test {

// Another program holding a store's write lock (BEGIN IMMEDIATE) until released: Python's
// sqlite3 module, a SQLite of its own in a process of its own, as an import or a backup tool
// of another vendor would hold it. The constructor returns once the lock is held.
class WriteLockHolder {
 public:
  explicit WriteLockHolder(const std::string& path) {
    int input[2], output[2];
    if (pipe(input) != 0 || pipe(output) != 0) throw std::runtime_error("no pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(input[0], 0);
      dup2(output[1], 1);
      close(input[1]);
      close(output[0]);
      const char* script =
          "import sqlite3, sys; c = sqlite3.connect(sys.argv[1], isolation_level=None, timeout=30)"
          "; c.execute('BEGIN IMMEDIATE'); sys.stdout.write('held'); sys.stdout.flush()"
          "; sys.stdin.read(); c.execute('COMMIT')";
      execl(TW_SYSTEM_PYTHON, "python3", "-c", script, path.c_str(), nullptr);
      _exit(127);
    }
    close(input[0]);
    close(output[1]);
    release_ = input[1];
    said_ = output[0];
    char said[5] = {};
    const bool held = read(said_, said, 4) == 4 && std::string(said) == "held";
    if (!held) {
      release();
      throw std::runtime_error("the other program could not take the write lock");
    }
  }
  ~WriteLockHolder() { release(); }
  WriteLockHolder(const WriteLockHolder&) = delete;
  WriteLockHolder& operator=(const WriteLockHolder&) = delete;

  // Ends the other program's transaction and waits until it has ended.
  void release() {
    if (release_ < 0) return;
    close(release_);
    release_ = -1;
    int status = 0;
    waitpid(pid_, &status, 0);
    close(said_);
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
  int said_ = -1;
};

}  // namespace tw::test
