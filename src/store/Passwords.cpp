#include "store/Passwords.h"

#include "store/Sqlite.h"

#include <sodium.h>

#include <mutex>

namespace store {

namespace {

bool g_cheapHashes = false;

void EnsureSodium()
{
    static std::once_flag once;
    std::call_once(once, [] {
        if (sodium_init() < 0) {
            throw StoreError(kErrEngine, "A biblioteca de criptografia não pôde ser iniciada.");
        }
    });
}

} // namespace

std::string HashPassword(std::string_view password)
{
    EnsureSodium();
    char hash[crypto_pwhash_STRBYTES];
    unsigned long long operations =
        g_cheapHashes ? crypto_pwhash_OPSLIMIT_MIN : crypto_pwhash_OPSLIMIT_INTERACTIVE;
    size_t memory = g_cheapHashes ? crypto_pwhash_MEMLIMIT_MIN : crypto_pwhash_MEMLIMIT_INTERACTIVE;
    if (crypto_pwhash_str_alg(hash, password.data(), password.size(), operations, memory,
                              crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw StoreError(kErrNoMemory, "Memória insuficiente para proteger a senha.");
    }
    return hash;
}

bool VerifyPassword(std::string_view hash, std::string_view password)
{
    EnsureSodium();
    std::string terminated(hash);
    return crypto_pwhash_str_verify(terminated.c_str(), password.data(), password.size()) == 0;
}

void VerifyAgainstNothing(std::string_view password)
{
    static const std::string decoy = HashPassword("\x01 decoy \x01");
    (void)VerifyPassword(decoy, password);
}

void UseCheapHashesForTests()
{
    g_cheapHashes = true;
}

} // namespace store
