#pragma once

#include <algorithm>
#include <cctype>
#include <string>

namespace varimctl {

// The extension of the path's file name in lower case, dot included (".rss"); empty when the
// name has none. The kind of a database file goes by it, as in the program's file dialogs.
inline std::string LowerCaseExtension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace varimctl
