#include "password/sodium_password_hasher.h"

#include <sodium.h>

#include <algorithm>
#include <vector>

namespace ploven {

SodiumPasswordHasher::SodiumPasswordHasher() : m_ready(sodium_init() >= 0) {}

std::optional<std::string> SodiumPasswordHasher::Hash(std::string_view password) {
  if (!m_ready) return std::nullopt;
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
    return std::nullopt;  // out of memory
  return std::string(out);
}

bool SodiumPasswordHasher::Verify(std::string_view stored, std::string_view password) {
  if (!m_ready || stored.empty() || stored.size() >= crypto_pwhash_STRBYTES) return false;
  // The library reads a terminated string of at most STRBYTES.
  std::vector<char> text(crypto_pwhash_STRBYTES, '\0');
  std::copy(stored.begin(), stored.end(), text.begin());
  return crypto_pwhash_str_verify(text.data(), password.data(), password.size()) == 0;
}

}  // namespace ploven
