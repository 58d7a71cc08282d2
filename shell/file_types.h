// The program's declared document file types: one, named "text". It is
// declared and registered once at start-up; nothing else uses it.
#pragma once

#include <memory>

#include "framework/core/array.h"
#include "framework/gui/filetype.h"

namespace FileTypes {
// Every declared type, in order of declaration; empty until _Initialize.
inline Array1D<std::shared_ptr<FileType>> pAllFileTypes;
// The "text" type; read it through Text().
inline std::shared_ptr<FileType> pText;

// Builds, lists and registers the "text" type. An error stops it at that
// step and passes on; what was stored before stays stored.
void _Initialize();
// The "text" type, or empty before _Initialize.
std::shared_ptr<FileType> Text();
}  // namespace FileTypes
