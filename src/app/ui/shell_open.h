// Shell actions of the windows (help file, web address, support mail) and the
// product's addresses. A target that does not exist opens nothing.
#pragma once

#include <QString>

namespace tralvin::ui {

// This edition has no vendor web site and no support mail address: the menu
// items and labels that lead there open nothing.
inline constexpr const char* kVendorWebAddress = "";
inline constexpr const char* kSupportMailAddress = "";
inline constexpr const char* kNoticeLine =
    "Cutting optimisation for bars, profiles, pipes and timber";

// Opens a web address ("" does nothing).
void OpenWebAddress(const QString& address);
// Opens a new mail to the address ("" does nothing).
void OpenMailTo(const QString& address);
// Opens a local file with its application, when the file exists.
void OpenLocalFile(const QString& fileName);

}  // namespace tralvin::ui
