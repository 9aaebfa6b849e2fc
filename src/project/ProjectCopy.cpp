// Offering a writable copy of a project that lies in a folder the user cannot write.
#include "project/ProjectCopy.h"

#include <unistd.h>

#include "resources/Feedback.h"
#include "resources/PrintfText.h"
#include "resources/Texts.h"

namespace qmk {
namespace fs = std::filesystem;
namespace {

// Regular files and folders only: a link in the installed folder is not followed out of it.
bool copyFolder(const fs::path& from, const fs::path& to, std::string& error)
{
    std::error_code ec;
    fs::create_directories(to, ec);
    for (auto it = fs::recursive_directory_iterator(from, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path target = to / fs::relative(it->path(), from, ec);
        if (it->is_symlink(ec))
            continue;
        if (it->is_directory(ec))
            fs::create_directories(target, ec);
        else if (it->is_regular_file(ec))
            fs::copy_file(it->path(), target, fs::copy_options::skip_existing, ec);
        if (ec)
            break;
    }
    if (ec)
        error = ec.message();
    return !ec;
}

} // namespace

bool folderWritable(const fs::path& folder)
{
    return ::access(folder.c_str(), W_OK) == 0;
}

fs::path writableProject(const fs::path& path, const fs::path& userFolder, Feedback& feedback,
                         const FolderWritable& writable)
{
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (userFolder.empty() || writable(folder))
        return path;
    const fs::path copyFolderPath = userFolder / fs::absolute(folder).lexically_normal().filename();
    const fs::path copy = copyFolderPath / path.filename();
    std::error_code ec;
    if (fs::exists(copy, ec)) {
        if (feedback.askText(printfText(txt::OpenProjectCopyQuestion, {folder.string(), copy.string()}), true))
            return copy;
        return path;
    }
    if (!feedback.askText(printfText(txt::CopyProjectQuestion, {folder.string(), copyFolderPath.string()}), true))
        return path;
    std::string error;
    if (!copyFolder(folder, copyFolderPath, error)) {
        feedback.messageText(printfText(txt::CopyProjectFailed, {copyFolderPath.string(), error}), Icon::Stop);
        return path;
    }
    return copy;
}

} // namespace qmk
