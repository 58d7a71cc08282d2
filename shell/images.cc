#include "shell/images.h"

namespace {
std::shared_ptr<Picture> vellacor_cache;
std::shared_ptr<Picture> vovuderod_cache;
}  // namespace

std::shared_ptr<Picture> _x_Vellacor() {
  if (!vellacor_cache) vellacor_cache = Picture::_OpenFromApp("Vellacor.png");
  return vellacor_cache;
}

std::shared_ptr<Picture> _x_VovUderod() {
  if (!vovuderod_cache) vovuderod_cache = Picture::_OpenFromApp("VovUderod.png");
  return vovuderod_cache;
}
