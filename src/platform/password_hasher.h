#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ploven {

// Turns a password into a salted, slow hash and checks a typed password against one. The
// program gives a real one backed by a crypto library; the core only stores and compares
// through it, so no password is ever kept as typed.
class PasswordHasher {
 public:
  virtual ~PasswordHasher() = default;
  // The stored form (salt and parameters included); nothing when hashing failed.
  virtual std::optional<std::string> Hash(std::string_view password) = 0;
  virtual bool Verify(std::string_view stored, std::string_view password) = 0;
};

}  // namespace ploven
