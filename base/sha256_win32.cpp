#include <windows.h>
#include <bcrypt.h>

#include <algorithm>
#include <stdexcept>

#include "base/sha256.h"

namespace tessorin {
namespace {

bool succeeded(NTSTATUS status) { return status >= 0; }

// The algorithm provider is opened once and kept: it is meant to be reused.
BCRYPT_ALG_HANDLE sha256Provider() {
    static BCRYPT_ALG_HANDLE provider = [] {
        BCRYPT_ALG_HANDLE opened = nullptr;
        return succeeded(BCryptOpenAlgorithmProvider(&opened, BCRYPT_SHA256_ALGORITHM, nullptr, 0)) ? opened : nullptr;
    }();
    return provider;
}

}  // namespace

Sha256Digest sha256Digest(std::string_view bytes) {
    Sha256Digest digest{};
    BCRYPT_ALG_HANDLE provider = sha256Provider();
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool done = provider && succeeded(BCryptCreateHash(provider, &hash, nullptr, 0, nullptr, 0, 0));
    // BCryptHashData takes at most a ULONG at a time.
    for (size_t at = 0; done && at < bytes.size();) {
        const ULONG piece = static_cast<ULONG>(std::min<size_t>(bytes.size() - at, 1u << 30));
        auto* data = reinterpret_cast<PUCHAR>(const_cast<char*>(bytes.data() + at));
        done = succeeded(BCryptHashData(hash, data, piece, 0));
        at += piece;
    }
    done = done && succeeded(BCryptFinishHash(hash, digest.data(), static_cast<ULONG>(digest.size()), 0));
    if (hash) BCryptDestroyHash(hash);
    if (!done) throw std::runtime_error("CNG could not compute a SHA-256 digest");
    return digest;
}

}  // namespace tessorin
