// Running outside programs for the packaging tests.
#include "ShellCommand.h"

#include "common/TempDir.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace qmk::test {

CommandResult runCommand(const std::string& commandLine)
{
    CommandResult result;
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 512> buffer{};
    while (fgets(buffer.data(), buffer.size(), pipe))
        result.output += buffer.data();
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

std::string quoted(const std::filesystem::path& path)
{
    std::string text = "'";
    for (char c : path.string())
        text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return text + "'";
}

bool haveProgram(const std::string& name)
{
    return runCommand("command -v " + name + " >/dev/null").status == 0;
}

void copyKeepingTimes(const std::filesystem::path& from, const std::filesystem::path& to)
{
    namespace fs = std::filesystem;
    fs::copy(from, to, fs::copy_options::recursive);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from))
        if (entry.is_regular_file())
            fs::last_write_time(to / fs::relative(entry.path(), from), entry.last_write_time());
}

std::string ownSettings()
{
    static const TempDir folder;
    return "QMK32_INI=" + quoted(folder / "qmk32.ini");
}

} // namespace qmk::test
