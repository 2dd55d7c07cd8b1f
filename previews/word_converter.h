// Word documents to RTF through the Office text converters installed in
// the converter folder ("WORDCNV_DIR", else the shared Textconv folder):
// libraries ending ".cnv" or ".wpc" with the published converter entry
// points. Diagnostics go to the standard error stream.
#pragma once

#include <windows.h>

class CWordConverter {
 public:
  virtual ~CWordConverter() = default;
  // 0 when the conversion ran (whatever the converters reported), 1 when
  // it could not start. The destination is an absolute path.
  int ConvertToRtf(const char* importClass, const char* exportClass, const char* source, const char* destination);
};

// Where the driver's messages go; the standard error stream unless a test
// takes them.
extern void (*ConverterMessageSink)(const char* text);
