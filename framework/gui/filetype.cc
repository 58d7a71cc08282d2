#include "framework/gui/filetype.h"

#include <optional>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/gui/internal/testing.h"

namespace {

using test_hooks::FileTypeRecord;

std::vector<FileTypeRecord>& Records() {
  static std::vector<FileTypeRecord> records;
  return records;
}

std::optional<std::string>& PendingFailure() {
  static std::optional<std::string> failure;
  return failure;
}

}  // namespace

void FileType::Withdraw() {
  if (!registered_) return;
  RuntimeUnregisterFileType(name_);
  registered_ = false;
}

void FileType::SetName(const std::string& value) {
  Withdraw();
  name_ = value;
}
void FileType::SetExtensions(const std::string& value) {
  Withdraw();
  extensions_ = value;
}
void FileType::SetMacType(const std::string& value) {
  Withdraw();
  mac_type_ = value;
}
void FileType::SetMacCreator(const std::string& value) {
  Withdraw();
  mac_creator_ = value;
}
void FileType::SetMimeType(const std::string& value) {
  Withdraw();
  mime_type_ = value;
}
void FileType::SetImported(bool value) {
  Withdraw();
  imported_ = value;
}
void FileType::SetConformsTo(const std::string& value) {
  Withdraw();
  conforms_to_ = value;
}
void FileType::SetUTI(const std::string& value) {
  Withdraw();
  uti_ = value;
}

std::string FileType::Operator_Convert() {
  if (!registered_) {
    RuntimeRegisterFileType(name_, mac_creator_, mac_type_, extensions_, uti_);
    registered_ = true;
  }
  return name_;
}

void RuntimeRegisterFileType(const std::string& name, const std::string& macCreator,
                             const std::string& macType, const std::string& extensions,
                             const std::string& uti) {
  if (PendingFailure()) {
    std::string message = *PendingFailure();
    PendingFailure().reset();
    throw RuntimeException(message);
  }
  Records().push_back({name, macCreator, macType, extensions, uti, false});
}

void RuntimeUnregisterFileType(const std::string& name) {
  for (FileTypeRecord& r : Records())
    if (r.name == name && !r.withdrawn) r.withdrawn = true;
}

std::vector<FileTypeRecord> test_hooks::FileTypeRecords() { return Records(); }

void test_hooks::ResetFileTypes() {
  Records().clear();
  PendingFailure().reset();
}

void test_hooks::FailNextFileTypeRegistration(const std::string& message) {
  PendingFailure() = message;
}
