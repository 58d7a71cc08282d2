// A declared document file type and the in-process file-type registry.
//
// This platform keeps no registry of document types of its own, so the
// framework records every registration here; the records are what a later
// association with documents would read.
#pragma once

#include <string>

#include "framework/core/object.h"

class FileType : public Object {
 public:
  static constexpr const char* kClassName = "FileType";
  FileType() = default;
  const char* ClassName() const override { return kClassName; }

  // Each setter first withdraws the type's registration, if it has one: a
  // changed declaration must be registered again to take effect.
  const std::string& Name() const { return name_; }
  void SetName(const std::string& value);
  const std::string& Extensions() const { return extensions_; }
  void SetExtensions(const std::string& value);
  // Four-character type and creator codes.
  const std::string& MacType() const { return mac_type_; }
  void SetMacType(const std::string& value);
  const std::string& MacCreator() const { return mac_creator_; }
  void SetMacCreator(const std::string& value);
  const std::string& MimeType() const { return mime_type_; }
  void SetMimeType(const std::string& value);
  bool Imported() const { return imported_; }
  void SetImported(bool value);
  const std::string& ConformsTo() const { return conforms_to_; }
  void SetConformsTo(const std::string& value);
  const std::string& UTI() const { return uti_; }
  void SetUTI(const std::string& value);

  bool IsRegistered() const { return registered_; }

  // The conversion to text: registers the type unless it is registered
  // already, then gives its Name. A failed registration raises and leaves
  // the type unregistered.
  std::string Operator_Convert();

 private:
  void Withdraw();

  std::string name_, extensions_, mac_type_, mac_creator_, mime_type_, conforms_to_, uti_;
  bool imported_ = false;
  bool registered_ = false;
};

// Records one registration. Raises RuntimeException when the registry
// refuses it.
void RuntimeRegisterFileType(const std::string& name, const std::string& macCreator,
                             const std::string& macType, const std::string& extensions,
                             const std::string& uti);
// Withdraws the registration of the type of that name, if any.
void RuntimeUnregisterFileType(const std::string& name);
