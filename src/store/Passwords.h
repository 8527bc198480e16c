// Passwords are kept only as Argon2id hashes (libsodium's self-describing text form, salt and
// costs included), so a stolen store file gives no password back.
#pragma once

#include <string>
#include <string_view>

namespace store {

std::string HashPassword(std::string_view password);
bool VerifyPassword(std::string_view hash, std::string_view password);
// Spends the time of one verification, so an unknown user answers as slowly as a wrong password.
void VerifyAgainstNothing(std::string_view password);

// Test seam: hash with Argon2id's smallest costs from now on, so test programs that build stores
// with users stay fast. Verification reads the costs from each hash, so nothing else changes.
void UseCheapHashesForTests();

} // namespace store
