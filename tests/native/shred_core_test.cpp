// The overwrite generator against the published ChaCha20 vectors, and the shredder's entry marks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "cleaner/chacha20.h"
#include "shredder/shred_marks.h"

namespace {

std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> out;
  for (size_t i = 0; i + 1 < text.size(); i += 2) out.push_back(uint8_t(std::stoi(text.substr(i, 2), nullptr, 16)));
  return out;
}

struct Vector {
  uint8_t key[32];
  uint8_t nonce[12] = {0, 0, 0, 9, 0, 0, 0, 0x4a, 0, 0, 0, 0};
  Vector() {
    for (int i = 0; i < 32; ++i) key[i] = uint8_t(i);
  }
};

}  // namespace

TEST(ChaCha20, MatchesTheBlockVectorAndLaterBlocksInBothForms) {
  for (bool portable : {false, true}) {
    SCOPED_TRACE(portable ? "portable code" : "wide vectors where the processor has them");
    ChaCha20::UsePortableCodeOnly(portable);
    Vector v;
    ChaCha20 cipher(v.key, v.nonce, 1);
    std::vector<uint8_t> stream(1200);
    cipher.Generate(stream.data(), stream.size());
    EXPECT_EQ(std::vector<uint8_t>(stream.begin(), stream.begin() + 64),
              Hex("10f1e7e4d13b5915500fdd1fa32071c4c7d1f4c733c068030422aa9ac3d46c4e"
                  "d2826446079faa0914c2d705d98b02a2b5129cd1de164eb9cbd083e8a2503c4e"));
    // Past the first group of eight blocks, and into the third: the counter runs on.
    EXPECT_EQ(std::vector<uint8_t>(stream.begin() + 576, stream.begin() + 592), Hex("426799a5cc38a8a49a8f0a4813494dd7"));
    EXPECT_EQ(std::vector<uint8_t>(stream.begin() + 1088, stream.begin() + 1104), Hex("d2b146094f56e0c3242e06f57033c5d3"));
  }
  ChaCha20::UsePortableCodeOnly(false);
}

TEST(ChaCha20, PiecesOfAnySizeGiveTheSameStream) {
  Vector v;
  ChaCha20 whole(v.key, v.nonce);
  std::vector<uint8_t> expected(5000);
  whole.Generate(expected.data(), expected.size());
  ChaCha20 pieces(v.key, v.nonce);
  std::vector<uint8_t> got(5000);
  size_t at = 0;
  for (size_t step : {1, 63, 2, 64, 130, 7, 511, 1000, 3}) {
    pieces.Generate(got.data() + at, step);
    at += step;
  }
  pieces.Generate(got.data() + at, got.size() - at);
  EXPECT_EQ(got, expected);
}

TEST(ShredMarks, MarksPathsAndTheClosingText) {
  EXPECT_EQ(shred::kShreddedMark.size(), 9u);
  EXPECT_TRUE(shred::IsShredded("[已粉碎] C:\\a.txt"));
  EXPECT_FALSE(shred::IsShredded("[已粉碎]C:\\a.txt"));
  EXPECT_FALSE(shred::IsShredded("[粉碎失败] C:\\a.txt"));
  EXPECT_FALSE(shred::IsShredded("[已粉"));
  EXPECT_EQ(shred::PathOf("[粉碎失败] C:\\a.txt"), "C:\\a.txt");
  EXPECT_EQ(shred::PathOf("C:\\a.txt"), "C:\\a.txt");
  EXPECT_EQ(shred::DoneText(2, 0), "文件粉碎完成！\r\n共粉碎文件2个");
  EXPECT_EQ(shred::DoneText(0, 3), "文件粉碎完成！\r\n共粉碎文件0个\r\n粉碎失败3个");
}
