#pragma once
// The text rules of paths, which differ between systems: on POSIX systems "/" separates
// folders; on Windows both "\" and "/" do, "\" is written, and a path may begin with a
// drive ("C:") or a server share ("\\server\share"). Pure text; nothing is looked up.

#include <string>
#include <string_view>

namespace sorvane {

enum class PathStyle { Posix, Windows };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The separator written between a folder and a name.
constexpr char PreferredSeparator(PathStyle style) {
  return style == PathStyle::Windows ? '\\' : '/';
}

constexpr bool IsSeparator(char c, PathStyle style) {
  return c == '/' || (style == PathStyle::Windows && c == '\\');
}

// Where the last component of `path` (the file name) begins.
std::size_t FileNameStart(std::string_view path, PathStyle style = kNativePathStyle);

// The folder that holds `path`: "." for a bare name; a root keeps its separator ("/",
// "C:\"), any other folder is named without one.
std::string DirectoryOf(std::string_view path, PathStyle style = kNativePathStyle);

// Whether `path` is complete in itself rather than relative to the current folder.
bool IsAbsolutePath(std::string_view path, PathStyle style = kNativePathStyle);

// `name` inside `directory`, with one separator between them.
std::string JoinPath(std::string_view directory, std::string_view name,
                     PathStyle style = kNativePathStyle);

}  // namespace sorvane
