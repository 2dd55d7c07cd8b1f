// A rectangle of the screen saved as a PNG file, for demonstration
// programs that a test runs to take their own screenshots.
#pragma once

#include <windows.h>

#include <string>

// The pixels on the screen inside area, as 24-bit RGB; FALSE when the file
// cannot be written.
BOOL SaveScreenAsPng(const RECT& area, const std::wstring& path);
