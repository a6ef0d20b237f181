#pragma once
// Where the programs' files live: the current directory (their data), the program's own directory,
// and the "Windows directory" that holds INI files.
#include <filesystem>
#include <string>
#include <string_view>

namespace files {

// $WINDIR when set, else $XDG_CONFIG_HOME, else ~/.config. The folder need not exist yet.
std::filesystem::path WindowsDirectory();
// $XDG_CONFIG_HOME, else ~/.config: where the settings store lives.
std::filesystem::path ConfigDirectory();
// The folder of the running executable.
std::filesystem::path ProgramDirectory();
std::filesystem::path CurrentDirectory();

// An existing entry of `folder` whose name matches `name` without regard to letter case (an exact
// match first); otherwise folder / name.
std::filesystem::path FindCaseInsensitive(const std::filesystem::path& folder, std::string_view name);

// The file an INI name stands for: a bare name lies in the Windows directory and is matched without
// regard to case there ("calories.INI" and "calories.ini" are one file); a name with a folder is
// used as given.
std::filesystem::path ResolveIni(std::string_view name);

// True when the name holds no folder part.
bool IsBareName(std::string_view name);

// A path as the old programs write it ("C:\\x\\y.hlp", backslashes) or a plain one, as a path here.
std::filesystem::path LocalPath(std::string_view path);

}  // namespace files
