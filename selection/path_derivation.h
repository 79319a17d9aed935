#pragma once
// The two paths a click in the file list gives: the point file's full path and the
// proposed DXF path beside it. Plain text rules, shared by the window and the batch
// converter.

#include "runtime/path_names.h"

#include <string>
#include <string_view>

namespace sorvane {

// The directory as the file list reports it (a root ends with the separator, "/" or
// "C:\"), one separator, then the file name. Exactly one trailing separator is dropped.
std::string DeriveInPath(std::string_view directory, std::string_view fileName,
                         PathStyle style = kNativePathStyle);

// The input path cut before the first "." of its file name (the last path component
// only: a dot in a directory name never moves the output elsewhere), then ".dxf".
// A name without a dot gets ".dxf" appended.
std::string DeriveOutPath(std::string_view inPath, PathStyle style = kNativePathStyle);

}  // namespace sorvane
