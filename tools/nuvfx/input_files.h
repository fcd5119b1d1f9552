// The jobs of a run over many songs. Each input is a file or a folder; a
// folder is searched through all its subfolders for .mid and .midi files (in
// any letter case), in name order. Each result goes under the output folder
// at the input's path relative to the folder given (a file given by itself
// goes there under its own name; an .rmi file's result is a .mid file). What
// cannot be run becomes a job that fails with its reason: an input that does
// not exist, an output that would replace its input or another job's output.
// A file given twice runs once; files under the output folder are not inputs
// (they are the results of an earlier run).
#pragma once

#include <string>
#include <vector>

#include "tools/nuvfx/file_job.h"

namespace nuv::nuvfx {

// `outDir` empty: a dry run, the jobs write nothing. Main thread.
std::vector<FileJob> JobsForInputs(const std::vector<std::string>& inputs, const std::string& outDir);

}  // namespace nuv::nuvfx
