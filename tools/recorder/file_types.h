// Choosing Raw Scan types by extension, as a user ticks them in the file-type
// tree (the harness and the tests).
#pragma once

#include <string>

#include "raw/file_type_choice.h"

// Leaves only the listed extensions ("all", or ".jpg,.png") checked. False
// with the first unknown extension.
bool CheckOnlyTypes(FileTypeTree& tree, const std::string& list, std::string& unknown);
