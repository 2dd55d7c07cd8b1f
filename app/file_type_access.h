// Writes a file extension and its file type into the shell's part of the
// registry, so that snapshot files show the program's icon and open with
// it. Failures are silent: files keep their previous association.
#pragma once

#include "framework.h"

class CGCFileTypeAccess : public CObject {
  DECLARE_DYNAMIC(CGCFileTypeAccess)

 public:
  CGCFileTypeAccess() = default;

  void SetExtension(LPCWSTR text) { m_extension = text; }
  void SetExtensionOpenCommand(LPCWSTR text) { m_extensionOpenCommand = text; }
  void SetProgId(LPCWSTR text) { m_progId = text; }
  void SetDefaultIcon(LPCWSTR text) { m_defaultIcon = text; }
  void SetProgIdOpenCommand(LPCWSTR text) { m_progIdOpenCommand = text; }

  virtual BOOL RegisterAll();
  virtual BOOL RegisterExtension();
  virtual BOOL RegisterProgId();

  // TRUE when the value was written; E_INVALIDARG as the last error for a
  // missing root, subkey, value name or text. An empty value name is the
  // key's default value.
  static BOOL WriteRegistryString(HKEY root, LPCWSTR subkey, LPCWSTR valueName, LPCWSTR text);

 private:
  CString m_extension;
  CString m_extensionOpenCommand;
  CString m_progId;
  CString m_progIdDescription;
  CString m_defaultIcon;
  CString m_progIdOpenCommand;
};

// The open command of a program: its path and the file, both quoted, so
// that a blank in a folder name cannot cut the path short.
CString SnapshotOpenCommand(LPCWSTR programPath);
// ".wrx" as "Tarnwick.Document", opened by the program at programPath.
void RegisterSnapshotFileType(LPCWSTR programPath);
