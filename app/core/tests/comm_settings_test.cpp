#include "varim/core/comm_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "varim/core/operator_texts.h"
#include "varim/testing/recording_operator.h"

namespace {

using varim::core::CommSettings;
using varim::testing::RecordingOperator;
using Bytes = std::vector<unsigned char>;
using Texts = std::vector<std::string>;

class CommSettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("klv-commport-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path File() const { return folder_ / "CommPort.txt"; }
  void Write(const Bytes& bytes) const {
    std::ofstream out(File(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
  }
  Bytes Read() const {
    std::ifstream in(File(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};

TEST_F(CommSettingsFile, AFirstStartUsesCom1At9600AndStoresTheirEightBytes) {
  const CommSettings settings = varim::core::LoadCommSettings(folder_.string());
  EXPECT_EQ(settings, (CommSettings{1, 9600}));
  ASSERT_TRUE(varim::core::SaveCommSettings(folder_.string(), settings));
  EXPECT_EQ(Read(), (Bytes{0x01, 0x00, 0x00, 0x00, 0x80, 0x25, 0x00, 0x00}));
}

TEST_F(CommSettingsFile, StoredValuesComeBackEvenOutsideTheDialogsRange) {
  Write({0x07, 0x00, 0x00, 0x00, 0xC0, 0x12, 0x00, 0x00});
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{7, 4800}));
  ASSERT_TRUE(varim::core::SaveCommSettings(folder_.string(), {-2, 1200}));
  EXPECT_EQ(Read(), (Bytes{0xFE, 0xFF, 0xFF, 0xFF, 0xB0, 0x04, 0x00, 0x00}));
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{-2, 1200}));
}

TEST_F(CommSettingsFile, AShortFileGivesTheDefaults) {
  Write({0x03, 0x00, 0x00, 0x00, 0x60, 0x09});
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{1, 9600}));
}

TEST_F(CommSettingsFile, ASaveThatCannotReplaceTheFileSaysSoAndLeavesItAlone) {
  std::filesystem::create_directory(File());
  std::filesystem::create_directory(File() / "kept");
  EXPECT_FALSE(varim::core::SaveCommSettings(folder_.string(), {5, 1200}));
  EXPECT_TRUE(std::filesystem::is_directory(File() / "kept"));
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{1, 9600}));
}

TEST_F(CommSettingsFile, ASaveClearsWhatAKilledSaveLeftBehind) {
  std::ofstream(folder_ / ".CommPort.txt.q1W2e3") << "half";
  ASSERT_TRUE(varim::core::SaveCommSettings(folder_.string(), {2, 2400}));
  EXPECT_FALSE(std::filesystem::exists(folder_ / ".CommPort.txt.q1W2e3"));
  EXPECT_EQ(varim::core::LoadCommSettings(folder_.string()), (CommSettings{2, 2400}));
}

TEST(BaudRates, TranslateBetweenIndexAndRateAndExplainBadValues) {
  RecordingOperator op;
  EXPECT_EQ(varim::core::BaudFromIndex(0, op), 1200);
  EXPECT_EQ(varim::core::BaudFromIndex(3, op), 9600);
  EXPECT_EQ(varim::core::BaudIndexOf(2400, op), 1);
  EXPECT_EQ(varim::core::BaudIndexOf(9600, op), 3);
  EXPECT_EQ(op.Notices(), Texts{});

  EXPECT_EQ(varim::core::BaudFromIndex(4, op), 0);
  EXPECT_EQ(varim::core::BaudIndexOf(19200, op), 0);
  EXPECT_EQ(op.Notices(), (Texts{"Baud Rate Index is not correct!",
                                 "The baud rate 19200 is not defined, is set to 1200"}));
}

}  // namespace
