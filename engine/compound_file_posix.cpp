// Outside Windows there is no structured storage: no compound file names
// its application.
#include "compound_file.h"

std::u16string ReadFileAppName(const std::u16string&) { return u""; }
