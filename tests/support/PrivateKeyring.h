#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Loopback.h"
#include "tests/support/TempFolder.h"

namespace tw::test {

// A session bus of the test's own (a dbus-daemon that starts no services by itself) with a
// real Secret Service on it: gnome-keyring-daemon in a throwaway home, its login keyring made
// and unlocked with a known password. The process's DBUS_SESSION_BUS_ADDRESS names the bus
// from then on: make one per process, before the first keyring call (GLib keeps its first
// connection to the session bus). Both end with the object.
class PrivateKeyring {
 public:
  static constexpr const char* kDaemon = "/usr/bin/gnome-keyring-daemon";
  static bool installed() { return access(kDaemon, X_OK) == 0; }

  // Runs the program's tests with one private keyring, which shared names while they run (null
  // where gnome-keyring is not installed: the tests skip); 1 when it cannot be made.
  static int runAllTests(PrivateKeyring*& shared) {
    std::unique_ptr<PrivateKeyring> keyring;
    try {
      if (installed()) keyring = std::make_unique<PrivateKeyring>();
    } catch (const std::exception& e) {
      std::cerr << "No private keyring: " << e.what() << '\n';
      return 1;
    }
    shared = keyring.get();
    const int result = RUN_ALL_TESTS();
    shared = nullptr;
    return result;
  }

  PrivateKeyring() {
    writeBytes(folder_.file("bus.conf"),
               "<busconfig><type>session</type><listen>unix:dir=" + folder_.path().string() +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>");
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    bus_ = spawn({"dbus-daemon", "--config-file=" + folder_.file("bus.conf"), "--print-address",
                  "--nofork", "--nopidfile"},
                 -1, out[1]);
    close(out[1]);
    std::string address;
    char c = 0;
    while (read(out[0], &c, 1) == 1 && c != '\n') address += c;
    close(out[0]);
    if (address.empty()) throw std::runtime_error("dbus-daemon did not start");
    setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
    try {
      startKeyring();
    } catch (const std::exception&) {
      stopKeyring();
      Loopback::stop(bus_);
      throw;
    }
  }
  ~PrivateKeyring() {
    stopKeyring();
    Loopback::stop(bus_);
  }
  PrivateKeyring(const PrivateKeyring&) = delete;
  PrivateKeyring& operator=(const PrivateKeyring&) = delete;

  // The Secret Service leaves the bus, as on a machine without a desktop.
  void stopKeyring() {
    Loopback::stop(keyring_);
    keyring_ = 0;
  }
  // The folder the keyring keeps its files in.
  std::string home() const { return folder_.file("home"); }

 private:
  void startKeyring() {
    std::filesystem::create_directories(folder_.file("run"));
    std::filesystem::permissions(folder_.file("run"), std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", folder_.file("run").c_str(), 1);
    int in[2];
    if (pipe2(in, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    keyring_ =
        spawn({kDaemon, "--foreground", "--unlock", "--components=secrets"}, in[0], -1, true);
    close(in[0]);
    if (write(in[1], "test-keyring", 12) != 12) throw std::runtime_error("no keyring password");
    close(in[1]);
    for (int attempt = 0; attempt < 400; ++attempt) {
      if (std::system("dbus-send --session --print-reply --dest=org.freedesktop.DBus / "
                      "org.freedesktop.DBus.NameHasOwner string:org.freedesktop.secrets "
                      "2>/dev/null | grep -q true") == 0)
        return;
      std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
    throw std::runtime_error("gnome-keyring-daemon did not come on the bus: " +
                             readBytes(folder_.file("daemons.log")));
  }

  // Only the descriptors given are passed on: the test's output is not held open.
  pid_t spawn(std::vector<std::string> args, int in, int out, bool ownHome = false) {
    return Loopback::spawn(std::move(args), folder_.file("daemons.log"), [&] {
      dup2(in >= 0 ? in : open("/dev/null", O_RDONLY), 0);
      if (out >= 0) dup2(out, 1);
      if (!ownHome) return;
      setenv("HOME", home().c_str(), 1);
      setenv("XDG_DATA_HOME", (home() + "/data").c_str(), 1);
      setenv("XDG_CONFIG_HOME", (home() + "/config").c_str(), 1);
    });
  }

  TempFolder folder_;
  pid_t bus_ = 0;
  pid_t keyring_ = 0;
};

}  // namespace tw::test
