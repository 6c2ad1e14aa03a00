#pragma once

#include "platform/password_hasher.h"

namespace ploven {

// Argon2id password hashes from libsodium, in its self-describing text form (algorithm,
// parameters, salt and hash on one line).
class SodiumPasswordHasher final : public PasswordHasher {
 public:
  SodiumPasswordHasher();
  // False when the library could not start; Hash then fails and Verify refuses.
  bool ready() const { return m_ready; }
  std::optional<std::string> Hash(std::string_view password) override;
  bool Verify(std::string_view stored, std::string_view password) override;

 private:
  bool m_ready = false;
};

}  // namespace ploven
