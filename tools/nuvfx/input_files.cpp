#include "tools/nuvfx/input_files.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "tools/nuvfx/parameter_value.h"

namespace nuv::nuvfx {
namespace {

namespace fs = std::filesystem;

std::string LowerExtension(const fs::path& path) { return NormalisedName(path.extension().string()); }

bool IsSongName(const fs::path& path) {
    const std::string ext = LowerExtension(path);
    return ext == "mid" || ext == "midi";
}

// The same file however it was named, for comparisons.
std::string Identity(const fs::path& path) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(path, ec);
    return (ec ? fs::absolute(path, ec) : canonical).lexically_normal().string();
}

bool IsInside(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           (path[folder.size()] == '/' || path[folder.size()] == '\\' || folder.back() == '/' || folder.back() == '\\');
}

struct Found {
    fs::path file;
    fs::path relative;  // the result's path under the output folder
};

// The songs of a folder, in name order; a folder that cannot be searched
// becomes a failing job.
void SearchFolder(const fs::path& folder, const std::string& skip, std::vector<Found>& found,
                  std::vector<FileJob>& problems) {
    std::vector<Found> here;
    std::error_code ec;
    fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const fs::path path = it->path();
        if (!skip.empty() && it->is_directory(ec) && Identity(path) == skip) {
            it.disable_recursion_pending();
            continue;
        }
        if (IsSongName(path) && it->is_regular_file(ec)) here.push_back({path, path.lexically_relative(folder)});
    }
    if (ec) problems.push_back({folder.string(), "", "cannot search " + folder.string() + ": " + ec.message(), false});
    std::sort(here.begin(), here.end(), [](const Found& a, const Found& b) { return a.relative < b.relative; });
    found.insert(found.end(), here.begin(), here.end());
}

fs::path ResultName(fs::path relative) {
    if (LowerExtension(relative) == "rmi") relative.replace_extension(".mid");
    return relative;
}

}  // namespace

std::vector<FileJob> JobsForInputs(const std::vector<std::string>& inputs, const std::string& outDir) {
    std::vector<FileJob> jobs;
    const std::string outFolder = outDir.empty() ? "" : Identity(outDir);
    std::set<std::string> seenInputs;
    std::map<std::string, std::string> outputOwners;  // output identity -> the input writing it
    for (const std::string& input : inputs) {
        std::vector<Found> found;
        std::error_code ec;
        if (fs::is_directory(input, ec)) {
            // The output folder inside an input folder holds results, not inputs.
            const std::string skip = IsInside(outFolder, Identity(input)) ? outFolder : "";
            SearchFolder(input, skip, found, jobs);
        } else if (fs::exists(input, ec)) {
            found.push_back({input, fs::path(input).filename()});
        } else {
            jobs.push_back({input, "", "cannot read " + input + ": no such file or folder", false});
            continue;
        }
        for (const Found& f : found) {
            const std::string in = Identity(f.file);
            if (!seenInputs.insert(in).second) continue;
            FileJob job{f.file.string(), "", "", !outDir.empty()};
            if (!outDir.empty()) {
                job.output = (fs::path(outDir) / ResultName(f.relative)).string();
                const std::string out = Identity(job.output);
                auto [owner, fresh] = outputOwners.emplace(out, job.input);
                if (out == in) {
                    job.problem = "its output " + job.output + " would replace it";
                } else if (!fresh) {
                    job.problem = "its output " + job.output + " is already the output of " + owner->second;
                }
            }
            jobs.push_back(std::move(job));
        }
    }
    return jobs;
}

}  // namespace nuv::nuvfx
