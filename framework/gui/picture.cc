#include "framework/gui/picture.h"

#include <QImage>
#include <filesystem>
#include <system_error>

#include "framework/gui/internal/control_native.h"
#include "framework/gui/internal/testing.h"

namespace {
std::string& FolderOverride() {
  static std::string folder;
  return folder;
}
}  // namespace

Picture::Picture() : native_(std::make_unique<Native>()) {}
Picture::~Picture() = default;

int64_t Picture::Width() const { return native_->image.width(); }
int64_t Picture::Height() const { return native_->image.height(); }

std::string ResourceFolderOf(const std::string& program) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = fs::path(program).parent_path();
  const fs::path beside = folder / "resources";
  if (fs::is_directory(beside, ec)) return beside.string();
  // A program in a CMake build tree: its folder holds the build's
  // CMakeFiles, and the tree's root, the nearest folder above that holds
  // CMakeCache.txt, keeps the pictures in its resources folder.
  if (fs::is_directory(folder / "CMakeFiles", ec)) {
    for (fs::path p = folder; !p.empty(); p = p.parent_path()) {
      if (fs::is_regular_file(p / "CMakeCache.txt", ec)) return (p / "resources").string();
      if (p == p.root_path()) break;
    }
  }
  return beside.string();
}

std::string ResourceFolder() {
  if (!FolderOverride().empty()) return FolderOverride();
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  // A program that cannot tell where it is has no resource folder.
  return ec ? std::string() : ResourceFolderOf(program.string());
}

std::shared_ptr<Picture> Picture::_OpenFromApp(const std::string& file_name) {
  // Only names of files in the folder itself are resources.
  if (file_name.empty() || file_name.find('/') != std::string::npos || file_name == "." ||
      file_name == "..")
    return nullptr;
  const std::string folder = ResourceFolder();
  if (folder.empty()) return nullptr;
  const std::string path = folder + "/" + file_name;
  auto picture = std::make_shared<Picture>();
  if (!picture->native_->image.load(QString::fromStdString(path))) return nullptr;
  return picture;
}

void test_hooks::SetResourceFolderOverride(const std::string& folder) { FolderOverride() = folder; }
