// Built into the Linux suite (libcrypto) and the Windows suite (CNG) alike.
#include "base/sha256.h"

#include <gtest/gtest.h>

namespace tessorin {
namespace {

// The FIPS 180-2 examples and the NIST short-message vectors.
TEST(Sha256, KnownVectors) {
    struct Case {
        std::string message;
        const char* digest;
    };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {std::string("\xbd", 1), "68325720aabd7c82f30f554b313d0570c95accbb7dc4b5aae11204c08ffe732b"},
        {std::string("\0\0\0\0", 4), "df3f619804a92fdb4057192dc43dd748ea778adc52bc498ce80524c014b81119"},
    };
    for (const Case& c : cases) EXPECT_EQ(sha256Hex(c.message), c.digest) << c.message.substr(0, 16);
}

}  // namespace
}  // namespace tessorin
