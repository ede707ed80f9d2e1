// Product texts shared by the program, the batch runner and the windows.
#pragma once

namespace tralvin {

inline constexpr const char* kProductName = "Tralvin 1D";
inline constexpr const char* kVersionText = " 2012 ";

}  // namespace tralvin
