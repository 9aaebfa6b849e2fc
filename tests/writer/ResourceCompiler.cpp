// Running windres on scratch copies of scripts.
#include "ResourceCompiler.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

#include "common/TempDir.h"
#include "parser/ScriptEncoding.h"
#include "project/TextCodec.h"

namespace qmk::test {
namespace {

namespace fs = std::filesystem;
const char* kWindres = "x86_64-w64-mingw32-windres";
const char* kSystemHeaders = "/usr/share/mingw-w64/include/";

int run(const std::string& command, std::string* output = nullptr)
{
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return -1;
    char buffer[4096];
    std::string out;
    while (std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (output)
        *output = out;
    if (status != 0 && std::getenv("QMK_SHOW_COMPILER"))
        std::fprintf(stderr, "%s\n%s\n", command.c_str(), out.c_str());
    return status;
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::string slashes(std::string name)
{
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '\\') {
            out += name[i];
        } else if (out.empty() || out.back() != '/') {
            out += '/';
        }
    }
    return out;
}

// The entry of `folder` that equals the relative name ignoring case, folder by folder.
std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& name)
{
    fs::path at = folder;
    for (const auto& part : fs::path(name)) {
        if (part == "..") {
            at = at.parent_path();
            continue;
        }
        std::error_code ec;
        if (!fs::is_directory(at, ec))
            return std::nullopt;
        std::optional<fs::path> next;
        for (const auto& e : fs::directory_iterator(at, ec))
            if (lower(e.path().filename().string()) == lower(part.string()))
                next = e.path();
        if (!next)
            return std::nullopt;
        at = *next;
    }
    return at;
}

// The smallest files the compiler accepts for an icon, a cursor and a bitmap.
std::string placeholder(const std::string& kind)
{
    auto hex = [](const char* digits) {
        std::string bytes;
        for (const char* p = digits; p[0] && p[1]; p += 2)
            bytes += static_cast<char>(std::stoi(std::string(p, 2), nullptr, 16));
        return bytes;
    };
    // A 1x1 32-bit image: its header, one pixel and one row of the transparency mask.
    const char* dib = "28000000010000000200000001002000000000000000000000000000000000000000000000000000"
                      "0000000000000000";
    // The directory: reserved, type (1 icon, 2 cursor), one entry of 48 bytes at offset 22.
    if (kind == "ICON")
        return hex("000001000100" "0101000001002000" "3000000016000000") + hex(dib);
    if (kind == "CURSOR")
        return hex("000002000100" "0101000000000000" "3000000016000000") + hex(dib);
    if (kind == "BITMAP")
        return hex("424d3a0000000000000036000000280000000100000001000000010018000000000004000000130b0000130b0000000000000000000000000000");
    return "data";
}

void repairScript(const fs::path& folder, const fs::path& script)
{
    std::string text = readFile(script);
    if (isUtf16(detectScriptEncoding(text)))
        return;
    static const std::regex include(R"(#[ \t]*include[ \t]*"([^"]+)\")");
    static const std::regex fileResource(R"(\b(ICON|BITMAP|CURSOR|RCDATA|HTML|PNG|RT_MANIFEST|AVI|WAVE|TYPELIB)\b[^"\n]*"([^"]+)\")");
    std::string repaired;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_search(line, m, include)) {
            const std::string name = slashes(m[1].str());
            line = m.prefix().str() + "#include \"" + name + "\"" + m.suffix().str();
            const fs::path wanted = folder / name;
            std::error_code ec;
            if (!fs::exists(wanted, ec)) {
                fs::create_directories(wanted.parent_path(), ec);
                if (auto found = findIgnoringCase(folder, name))
                    fs::create_symlink(fs::absolute(*found), wanted, ec);
                else if (fs::exists(kSystemHeaders + lower(name), ec))
                    std::ofstream(wanted) << "#include_next <" << lower(name) << ">\n";
            }
        } else if (std::regex_search(line, m, fileResource)) {
            const fs::path wanted = folder / slashes(m[2].str());
            std::error_code ec;
            if (!fs::exists(wanted, ec) && !findIgnoringCase(folder, slashes(m[2].str()))) {
                fs::create_directories(wanted.parent_path(), ec);
                std::ofstream(wanted, std::ios::binary) << placeholder(m[1].str());
            }
            line = m.prefix().str() + m[0].str().substr(0, m.position(2) - m.position(0)) + slashes(m[2].str()) + "\"" +
                   m.suffix().str();
        }
        repaired += line + "\n";
    }
    std::ofstream(script, std::ios::binary) << repaired;
}

} // namespace

bool resourceCompilerAvailable()
{
    static const bool available = run(std::string("command -v ") + kWindres + " >/dev/null") == 0;
    return available;
}

void prepareScratchFolder(const fs::path& folder)
{
    std::error_code ec;
    fs::create_directories(folder / "_x" / "_y", ec);  // "..\..\x.h" as seen from the program's language folder
    for (const auto& e : fs::directory_iterator(folder, ec)) {
        const std::string ext = lower(e.path().extension().string());
        if (ext == ".dlg" || ext == ".rc2")
            repairScript(folder, e.path());
    }
}

std::optional<std::string> compiledDump(const fs::path& script, DumpLanguages languages, std::string* messages)
{
    const fs::path folder = script.parent_path();
    std::string bytes = readFile(script);
    std::string included = "u8-" + script.filename().string();
    if (isUtf16(detectScriptEncoding(bytes)))
        bytes = utf16ToUtf8(std::string_view(bytes).substr(2), bytes[0] == '\xFE');
    std::ofstream(folder / included, std::ios::binary) << bytes;
    repairScript(folder, folder / included);
    const bool utf8 = hasBytesAbove127(bytes) && isValidUtf8(bytes);

    const fs::path wrapper = folder / ("wrap-" + script.filename().string());
    {
        std::ofstream out(wrapper);
        out << "#include <winapifamily.h>\n#include <windows.h>\n#include <commctrl.h>\n";
        std::vector<std::string> headers;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.path().extension() == ".h" && e.is_regular_file() && !e.is_symlink())
                headers.push_back(e.path().filename().string());
        std::sort(headers.begin(), headers.end());
        for (const std::string& h : headers)
            out << "#include \"" << h << "\"\n";
        out << "#include \"" << included << "\"\n";
    }
    const std::string res = wrapper.string() + ".res";
    const std::string dump = wrapper.string() + ".dump";
    const std::string options = std::string(utf8 ? " -c 65001" : "") + " -I '" + folder.string() + "' -I '" +
                                (folder / "_x").string() + "' -I '" + (folder / "_x" / "_y").string() + "' -I '" +
                                (folder / "_stubs").string() + "'";
    if (run(std::string(kWindres) + options + " -O res -o '" + res + "' '" + wrapper.string() + "'", messages) != 0)
        return std::nullopt;
    if (run(std::string(kWindres) + " -i '" + res + "' -O rc -o '" + dump + "'") != 0)
        return std::nullopt;
    std::istringstream lines(readFile(dump));
    static const std::regex languageBlock(R"(BLOCK\s*"[0-9A-Fa-f]{8}")");
    std::string kept;
    for (std::string line; std::getline(lines, line);)
        if (languages == DumpLanguages::Keep || (line.rfind("LANGUAGE", 0) != 0 && !std::regex_search(line, languageBlock)))
            kept += line + "\n";
    return kept;
}

} // namespace qmk::test
