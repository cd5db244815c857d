#pragma once
// DefPara.ini and NotePara.ini for korvo-cli: the file given on the command line,
// else the one in the working folder (as the editor reads them), else the copies
// built into the program from data/.

#include "scene/DefaultParams.h"
#include "scene/NoteNames.h"

#include <string>
#include <string_view>

namespace korvo::cli {

// option: the path given with --defaults or --notes, or empty. A file given but
// unreadable is an error (CliError); so is one in the working folder.
DefaultParams LoadDefaultParams(const std::string& option);
NoteNames LoadNoteNames(const std::string& option);

// The shipped files, built in.
std::string_view ShippedDefaultParams();
std::string_view ShippedNoteNames();

} // namespace korvo::cli
