// SPDX-License-Identifier: MIT
// Blowfish against Eric Young's published ECB and variable-key-length vectors.
//
// Every vector below was re-derived here rather than taken on trust: the 8-byte keys with
//   printf PLAIN | xxd -r -p |
//     openssl enc -bf-ecb -provider legacy -provider default -nopad -K KEYKEY | xxd -p
// (openssl enc pads -K with zeros to 16 bytes, so the 8-byte key is given twice, which the
// cyclic key schedule reads identically), and every key length 1..24 with libcrypto's own
// BF_set_key/BF_ecb_encrypt called from python3 ctypes.
#include "random/blowfish.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/random/hex.h"

namespace quillmoor {
namespace {

using test::FromHex;
using test::ToHex;

std::string Encrypt(const std::string& keyHex, const std::string& plainHex) {
  const auto key = FromHex(keyHex);
  const auto plain = FromHex(plainHex);
  Blowfish cipher;
  cipher.SetKey(key.data(), key.size());
  std::uint8_t out[8];
  cipher.EncryptBlock(plain.data(), out);
  return ToHex(out);
}

struct Vector {
  const char* key;
  const char* plain;
  const char* cipher;
};

TEST(Blowfish, EcbVectors) {
  const Vector vectors[] = {
      {"0000000000000000", "0000000000000000", "4ef997456198dd78"},
      {"ffffffffffffffff", "ffffffffffffffff", "51866fd5b85ecb8a"},
      {"3000000000000000", "1000000000000001", "7d856f9a613063f2"},
      {"1111111111111111", "1111111111111111", "2466dd878b963c9d"},
      {"0123456789abcdef", "1111111111111111", "61f9c3802281b096"},
      {"1111111111111111", "0123456789abcdef", "7d0cc630afda1ec7"},
      {"fedcba9876543210", "0123456789abcdef", "0aceab0fc6a0a28d"},
      {"7ca110454a1a6e57", "01a1d6d039776742", "59c68245eb05282b"},
      {"0101010101010101", "0123456789abcdef", "fa34ec4847b268b2"},
      {"1f1f1f1f0e0e0e0e", "0123456789abcdef", "a790795108ea3cae"},
      {"e0fee0fef1fef1fe", "0123456789abcdef", "c39e072d9fac631d"},
      {"0000000000000000", "ffffffffffffffff", "014933e0cdaff6e4"},
      {"ffffffffffffffff", "0000000000000000", "f21e9a77b71c49bc"},
      {"0123456789abcdef", "0000000000000000", "245946885754369a"},
      {"fedcba9876543210", "ffffffffffffffff", "6b5c5a9c5d9e0a5a"},
  };
  for (const auto& v : vectors) {
    EXPECT_EQ(Encrypt(v.key, v.plain), v.cipher) << "key " << v.key << " plain " << v.plain;
  }
}

// Key lengths 1 to 24 bytes, each a prefix of one key; length 20 is the one the random source
// uses.
TEST(Blowfish, EveryKeyLength) {
  const std::string fullKey = "f0e1d2c3b4a5968778695a4b3c2d1e0f0011223344556677";
  const char* expected[] = {
      "f9ad597c49db005e", "e91d21c1d961a6d6", "e9c2b70a1bc65cf3", "be1e639408640f05",
      "b39e44481bdb1e6e", "9457aa83b1928c0d", "8bb77032f960629d", "e87a244e2cc85e82",
      "15750e7a4f4ec577", "122ba70b3ab64ae0", "3a833c9affc537f6", "9409da87a90f6bf2",
      "884f80625060b8b4", "1f85031c19e11968", "79d9373a714ca34f", "93142887ee3be15c",
      "03429e838ce2d14b", "a4299e27469ff67b", "afd5aed1c1bc96a8", "10851c0e3858da9f",
      "e6f51ed79b9db21f", "64a6e14afd36b46f", "80c7d7d45a5479ad", "05044b62fa52d080",
  };
  for (std::size_t length = 1; length <= 24; ++length) {
    EXPECT_EQ(Encrypt(fullKey.substr(0, 2 * length), "fedcba9876543210"), expected[length - 1])
        << "key length " << length;
  }
}

// A second key must replace the first schedule completely, not mix into it.
TEST(Blowfish, RekeyingStartsFromTheInitialTables) {
  const auto first = FromHex("0123456789abcdef");
  const auto second = FromHex("fedcba9876543210");
  const auto plain = FromHex("0123456789abcdef");
  Blowfish cipher;
  cipher.SetKey(first.data(), first.size());
  cipher.SetKey(second.data(), second.size());
  std::uint8_t out[8];
  cipher.EncryptBlock(plain.data(), out);
  EXPECT_EQ(ToHex(out), "0aceab0fc6a0a28d");
}

}  // namespace
}  // namespace quillmoor
