#include "sync/Keyring.h"

#include <libsecret/secret.h>

#include <memory>

#include "sync/SyncError.h"

namespace tw {
namespace {

const SecretSchema& schema() {
  static const SecretSchema s = {"org.tallyworks.Tallyworks.Account",
                                 SECRET_SCHEMA_NONE,
                                 {{"server", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                  {"user", SECRET_SCHEMA_ATTRIBUTE_STRING},
                                  {nullptr, SECRET_SCHEMA_ATTRIBUTE_STRING}},
                                 0,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr,
                                 nullptr};
  return s;
}

struct ErrorFree {
  void operator()(GError* e) const { g_error_free(e); }
};
using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

// Whether the failure is only that nothing answers as a Secret Service on the bus (no session
// bus, or no keyring on it).
bool noService(const GError& e) {
  return e.domain == G_DBUS_ERROR || e.domain == G_IO_ERROR;
}

[[noreturn]] void fail(const std::string& what, const GError& e) {
  throw SyncError("The keyring could not " + what + ": " + e.message);
}

}  // namespace

std::optional<std::string> Keyring::password(const std::string& server, const std::string& user) {
  GError* raw = nullptr;
  gchar* found = secret_password_lookup_sync(&schema(), nullptr, &raw, "server", server.c_str(),
                                             "user", user.c_str(), nullptr);
  const ErrorPtr error(raw);
  if (error && noService(*error)) return std::nullopt;
  if (error) fail("give the password of " + user, *error);
  if (!found) return std::nullopt;
  std::string password(found);
  secret_password_free(found);
  return password;
}

void Keyring::store(const std::string& server, const std::string& user,
                    const std::string& password) {
  const std::string label = "Tallyworks: " + user + " on " + server;
  GError* raw = nullptr;
  secret_password_store_sync(&schema(), SECRET_COLLECTION_DEFAULT, label.c_str(), password.c_str(),
                             nullptr, &raw, "server", server.c_str(), "user", user.c_str(),
                             nullptr);
  const ErrorPtr error(raw);
  if (error) fail("keep the password of " + user, *error);
}

void Keyring::forget(const std::string& server, const std::string& user) {
  GError* raw = nullptr;
  secret_password_clear_sync(&schema(), nullptr, &raw, "server", server.c_str(), "user",
                             user.c_str(), nullptr);
  const ErrorPtr error(raw);
  if (error) fail("forget the password of " + user, *error);
}

}  // namespace tw
