#include "text_file_reader.h"

class CTextFileReader::FileSource : public TextByteSource {
 public:
  explicit FileSource(CFile* file) : m_file(file) {}
  size_t Read(uint8_t* buffer, size_t count) override {
    DWORD read = 0;
    // A read error ends the text where it happened.
    if (!::ReadFile(m_file->m_hFile, buffer, static_cast<DWORD>(count), &read, nullptr)) return 0;
    return read;
  }
  void SeekToStart() override { ::SetFilePointer(m_file->m_hFile, 0, nullptr, FILE_BEGIN); }
  uint64_t Length() override {
    LARGE_INTEGER size = {};
    return ::GetFileSizeEx(m_file->m_hFile, &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
  }

 private:
  CFile* m_file;
};

namespace {

std::u16string DecodeAnsi(const std::string& bytes) {
  const int count = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (count <= 0) return std::u16string();
  std::u16string text(static_cast<size_t>(count), u'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<LPWSTR>(&text[0]),
                        count);
  return text;
}

CString ToCString(const std::u16string& text) {
  return CString(reinterpret_cast<LPCWSTR>(text.data()), static_cast<int>(text.size()));
}

}  // namespace

CTextFileReader::CTextFileReader(LPCWSTR path) {
  m_file = new CFile;
  m_ownsFile = true;
  if (!m_file->Open(path, CFile::modeRead | CFile::shareDenyWrite)) {
    m_core = std::make_unique<TextReaderCore>(nullptr, DecodeAnsi);
    return;
  }
  m_source = std::make_unique<FileSource>(m_file);
  m_core = std::make_unique<TextReaderCore>(m_source.get(), DecodeAnsi);
}

CTextFileReader::~CTextFileReader() { Close(); }

bool CTextFileReader::IsOpen() const { return m_file != nullptr && m_file->m_hFile != INVALID_HANDLE_VALUE; }

bool CTextFileReader::ReadLine(CString& line) {
  std::u16string text;
  const bool read = m_core != nullptr && IsOpen() && m_core->ReadLine(text);
  line = ToCString(text);
  return read;
}

bool CTextFileReader::ReadAll(CString& text, LPCWSTR separator) {
  if (m_core == nullptr || !IsOpen()) {
    text.Empty();
    return false;
  }
  std::u16string all;
  const bool read = m_core->ReadAll(all, reinterpret_cast<const char16_t*>(separator));
  text = ToCString(all);
  return read;
}

ULONGLONG CTextFileReader::GetCharLength() { return m_core != nullptr && IsOpen() ? m_core->GetCharLength() : 0; }

void CTextFileReader::Close() {
  if (m_core != nullptr) m_core->Detach();
  if (m_file != nullptr && m_ownsFile) {
    if (m_file->m_hFile != INVALID_HANDLE_VALUE) m_file->Close();
    delete m_file;
  }
  m_file = nullptr;
  m_ownsFile = false;
}
