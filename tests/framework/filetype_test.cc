#include "framework/gui/filetype.h"

#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/testing/seams.h"

namespace {

class FileTypeTest : public ::testing::Test {
 protected:
  void SetUp() override { seams::Reset(); }
  void TearDown() override { seams::Reset(); }

  static std::shared_ptr<FileType> TextType() {
    auto t = std::make_shared<FileType>();
    t->SetName("text");
    t->SetExtensions("");
    t->SetMacType("TEXT");
    t->SetMacCreator("R*ch");
    t->SetMimeType("");
    t->SetImported(true);
    t->SetConformsTo("");
    return t;
  }
};

TEST_F(FileTypeTest, ConversionRegistersOnceAndHandsOnTheFiveFields) {
  auto t = TextType();
  t->SetMimeType("text/plain");  // stays on the object
  EXPECT_FALSE(t->IsRegistered());
  EXPECT_EQ(t->Operator_Convert(), "text");
  EXPECT_EQ(t->Operator_Convert(), "text");
  EXPECT_TRUE(t->IsRegistered());

  auto records = seams::FileTypeRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "text");
  EXPECT_EQ(records[0].macCreator, "R*ch");
  EXPECT_EQ(records[0].macType, "TEXT");
  EXPECT_EQ(records[0].extensions, "");
  EXPECT_EQ(records[0].uti, "");
  EXPECT_FALSE(records[0].withdrawn);
  EXPECT_EQ(t->MimeType(), "text/plain");
  EXPECT_TRUE(t->Imported());
}

TEST_F(FileTypeTest, SetterWithdrawsTheRegistrationAndConversionRenewsIt) {
  auto t = TextType();
  t->Operator_Convert();
  t->SetExtensions("txt");
  EXPECT_FALSE(t->IsRegistered());
  t->Operator_Convert();

  auto records = seams::FileTypeRecords();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(records[0].withdrawn);
  EXPECT_FALSE(records[1].withdrawn);
  EXPECT_EQ(records[1].extensions, "txt");
}

TEST_F(FileTypeTest, FailedRegistrationRaisesAndLeavesTheTypeUnregistered) {
  auto t = TextType();
  seams::FailNextFileTypeRegistration("registry refused");
  try {
    t->Operator_Convert();
    FAIL() << "no exception";
  } catch (const RuntimeException& e) {
    EXPECT_EQ(e.Message(), "registry refused");
  }
  EXPECT_FALSE(t->IsRegistered());
  EXPECT_TRUE(seams::FileTypeRecords().empty());
  // Only the next registration fails.
  EXPECT_EQ(t->Operator_Convert(), "text");
  EXPECT_EQ(seams::FileTypeRecords().size(), 1u);
}

TEST(FileTypeDefaults, NewTypeIsEmptyAndUnregistered) {
  auto t = std::make_shared<FileType>();
  EXPECT_EQ(t->Name(), "");
  EXPECT_EQ(t->UTI(), "");
  EXPECT_FALSE(t->Imported());
  EXPECT_FALSE(t->IsRegistered());
}

}  // namespace
