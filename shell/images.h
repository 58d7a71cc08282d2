// The program's two pictures, each read from the application's resources on
// first use and kept for the rest of the process. A read that gives no
// picture leaves the cache empty, and the next call tries again.
#pragma once

#include <memory>

#include "framework/gui/picture.h"

// "Vellacor.png", the product picture.
std::shared_ptr<Picture> _x_Vellacor();
// "VovUderod.png", the splash window's emblem.
std::shared_ptr<Picture> _x_VovUderod();
