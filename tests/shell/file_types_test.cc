// The declared file type: built, listed and registered once; a refused
// registration stops the declaration and passes the error on.
#include "shell/file_types.h"

#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "tests/shell/shell_test_support.h"

namespace {

class FileTypesTest : public ::testing::Test {
 protected:
  void SetUp() override { shell_test::FreshProcess(); }
};

TEST_F(FileTypesTest, StaticInitialisationLeavesTheSetEmpty) {
  EXPECT_EQ(FileTypes::pAllFileTypes.UBound(), -1);
  EXPECT_EQ(FileTypes::Text(), nullptr);
}

TEST_F(FileTypesTest, InitializeDeclaresAndRegistersTheTextType) {
  FileTypes::_Initialize();

  ASSERT_EQ(FileTypes::pAllFileTypes.UBound(), 0);
  std::shared_ptr<FileType> text = FileTypes::Text();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(FileTypes::pAllFileTypes(0), text);
  EXPECT_EQ(text->Name(), "text");
  EXPECT_EQ(text->MacType(), "TEXT");
  EXPECT_EQ(text->MacCreator(), "R*ch");
  EXPECT_TRUE(text->Imported());
  EXPECT_EQ(text->Extensions(), "");
  EXPECT_EQ(text->MimeType(), "");
  EXPECT_EQ(text->ConformsTo(), "");
  EXPECT_EQ(text->UTI(), "");
  EXPECT_TRUE(text->IsRegistered());

  // The registry is handed name, creator, type, extensions and identifier.
  const auto records = seams::FileTypeRecords();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].name, "text");
  EXPECT_EQ(records[0].macCreator, "R*ch");
  EXPECT_EQ(records[0].macType, "TEXT");
  EXPECT_EQ(records[0].extensions, "");
  EXPECT_EQ(records[0].uti, "");
  EXPECT_FALSE(records[0].withdrawn);
}

TEST_F(FileTypesTest, RefusedRegistrationPassesOnAndKeepsWhatWasStored) {
  seams::FailNextFileTypeRegistration("the registry is full");
  EXPECT_THROW(FileTypes::_Initialize(), RuntimeException);

  ASSERT_NE(FileTypes::Text(), nullptr);
  EXPECT_FALSE(FileTypes::Text()->IsRegistered());
  ASSERT_EQ(FileTypes::pAllFileTypes.UBound(), 0);
  EXPECT_EQ(FileTypes::pAllFileTypes(0), FileTypes::Text());
  EXPECT_TRUE(seams::FileTypeRecords().empty());
}

}  // namespace
