// Arguments and standard streams on Windows. The narrow argv main receives is in the
// console's code page, which cannot hold every name, so the wide command line is read
// instead; text goes out as UTF-8 bytes to pipes and files and as UTF-16 characters to
// a console, which shows them whatever its code page.

#include "runtime/program_io.h"

#include "runtime/platform/windows_text.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shellapi.h>

#include <streambuf>

namespace sorvane {
namespace {

// Whether `byte` continues a UTF-8 sequence rather than beginning one.
bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The length of the text up to its last whole UTF-8 character, so that a character
// split across two writes reaches the console whole.
std::size_t WholeCharactersLength(const std::string& text) {
  std::size_t lead = text.size();
  while (lead > 0 && text.size() - lead < 4 && IsContinuationByte(text[lead - 1])) --lead;
  if (lead == 0) return text.size();
  const auto first = static_cast<unsigned char>(text[lead - 1]);
  const std::size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
  return text.size() - (lead - 1) >= needed ? text.size() : lead - 1;
}

// UTF-16 for the console; a byte that is not UTF-8 shows as a replacement character
// rather than losing the line.
std::wstring ConsoleText(std::string_view text) {
  const int size = static_cast<int>(text.size());
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
  return wide;
}

// A line-buffered stream buffer over one of the process's standard handles.
class StandardStreamBuffer final : public std::streambuf {
 public:
  explicit StandardStreamBuffer(DWORD which) : handle_(::GetStdHandle(which)) {
    DWORD mode = 0;
    console_ = handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle_, &mode);
  }
  ~StandardStreamBuffer() override { sync(); }
  StandardStreamBuffer(const StandardStreamBuffer&) = delete;
  StandardStreamBuffer& operator=(const StandardStreamBuffer&) = delete;

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    pending_ += traits_type::to_char_type(c);
    if (c == '\n') sync();
    return c;
  }
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    pending_.append(data, static_cast<std::size_t>(size));
    if (pending_.find('\n') != std::string::npos) sync();
    return size;
  }
  int sync() override {
    if (pending_.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return 0;
    bool written = true;
    if (console_) {
      const std::size_t whole = WholeCharactersLength(pending_);
      const std::wstring wide = ConsoleText(std::string_view(pending_).substr(0, whole));
      DWORD done = 0;
      written = wide.empty() ||
                ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
      pending_.erase(0, whole);
    } else {
      DWORD done = 0;
      written = ::WriteFile(handle_, pending_.data(), static_cast<DWORD>(pending_.size()), &done, nullptr);
      pending_.clear();
    }
    return written ? 0 : -1;
  }

 private:
  HANDLE handle_;
  bool console_ = false;
  std::string pending_;
};

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  return arguments;
}

// The buffer grows until the whole path fits, however long the folder's name is.
std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return Utf8FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

std::ostream& StandardOutput() {
  static StandardStreamBuffer buffer(STD_OUTPUT_HANDLE);
  static std::ostream stream(&buffer);
  return stream;
}

std::ostream& StandardError() {
  static StandardStreamBuffer buffer(STD_ERROR_HANDLE);
  static std::ostream stream(&buffer);
  return stream;
}

}  // namespace sorvane
