// A text file read line by line into wide strings, whatever its encoding;
// 8-bit text goes through the ANSI code page a line at a time.
#pragma once

#include <memory>

#include "framework.h"
#include "text_reader.h"

class CTextFileReader {
 public:
  // Opens the file for reading, denying other writers; IsOpen tells
  // whether that worked.
  explicit CTextFileReader(LPCWSTR path);
  virtual ~CTextFileReader();
  CTextFileReader(const CTextFileReader&) = delete;
  CTextFileReader& operator=(const CTextFileReader&) = delete;

  bool IsOpen() const;
  bool IsEof() const { return m_core == nullptr || m_core->IsEof(); }
  bool ReadLine(CString& line);
  // Every line joined by separator; false and an empty text when not open.
  bool ReadAll(CString& text, LPCWSTR separator);
  ULONGLONG GetCharLength();
  TextEncoding GetEncoding() const { return m_core != nullptr ? m_core->Encoding() : kTextAnsi; }
  virtual void Close();

 private:
  class FileSource;
  CFile* m_file = nullptr;
  bool m_ownsFile = false;
  std::unique_ptr<FileSource> m_source;
  std::unique_ptr<TextReaderCore> m_core;
};
