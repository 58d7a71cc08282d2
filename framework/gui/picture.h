// Pictures, read by file name from the application's resource folder.
//
// The resource folder is "resources" beside the program's executable, and
// nowhere else for an installed program. A program in its build tree
// without that folder beside it reads the build tree's own resources
// folder, where the build copies the pictures.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/object.h"

class Picture : public Object {
 public:
  static constexpr const char* kClassName = "Picture";
  Picture();
  ~Picture() override;
  const char* ClassName() const override { return kClassName; }

  // The picture stored in the resource folder under file_name, or empty when
  // there is no such file or it is no picture. Never raises for a missing
  // file.
  static std::shared_ptr<Picture> _OpenFromApp(const std::string& file_name);

  // Size in pixels.
  int64_t Width() const;
  int64_t Height() const;

  // The framework's Qt side of the picture (internal/control_native.h).
  struct Native;

 private:
  friend struct Native;
  std::unique_ptr<Native> native_;
};

// The folder that _OpenFromApp reads: ResourceFolderOf the running program
// (empty if the program cannot find its own file).
std::string ResourceFolder();
// The resource folder of the program at that path (see above); the folder
// need not exist.
std::string ResourceFolderOf(const std::string& program);
